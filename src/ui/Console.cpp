#include "ui/Console.h"

#include "binding/ControlBinding.h"
#include "link/DeviceLink.h"
#include "link/Unit3.h"
#include "ui/LinkPresenter.h"
#include "ui/MainFrm.h"
#include "ui/Unit2.h"

namespace velantro {

Console::Console(Messages& messages, LinkSettings settings)
    : linkSettings(std::move(settings)),
      messages_(&messages),
      linkView_(std::make_unique<LinkPresenter>(LanguageSetting, linkSettings.printStatus,
                                                onStatusText)) {
  linkConfig.host = linkSettings.host;
  linkConfig.portText = std::to_string(linkSettings.port);
  linkConfig.paced = linkSettings.paced;
  linkConfig.LanguageSetting = LanguageSetting;
  // The window looks for a lost unit by itself.
  linkConfig.reconnect = true;
}

Console::~Console() {
  // The main window's helpers hold the link; the link holds the view: close from the top, the
  // view told first that the windows are going.
  linkView_->Detach();
  form2_.reset();
  form1_.reset();
  form3_.reset();
}

LinkView& Console::linkView() { return *linkView_; }

DeviceLink* Console::link() const { return form3_ ? &form3_->link() : nullptr; }

ChangeQueue* Console::changeQueue() const { return form3_ ? &form3_->changeQueue() : nullptr; }

ControlBinding* Console::binding() const { return form1_ ? form1_->binding() : nullptr; }

EqGraphPanel* Console::graph() const { return form1_ ? form1_->graph() : nullptr; }

WindowContext Console::windowContext() {
  return WindowContext{.store = store,
                       .messages = *messages_,
                       .currentSection = CurrentSection,
                       .language = LanguageSetting,
                       .linkSettings = linkSettings,
                       .linkConfig = linkConfig,
                       .programFolder = programFolder,
                       .linkWindow = form3_.get(),
                       .statusDialog = form2_.get()};
}

void Console::CreateWindows() {
  if (form1_) return;
  form3_ = std::make_unique<TForm3>(store, linkConfig, *linkView_, *messages_,
                                    linkSettings.serialDevices);
  form2_ = std::make_unique<TForm2>();
  form1_ = std::make_unique<TForm1>(windowContext());
  linkView_->Attach(*form1_, *form2_, form3_->link());
}

}  // namespace velantro
