#pragma once

#include <string>
#include <vector>

namespace velantro {

// How long a notice holds: see Messages::ShowNotice.
enum class NoticeKind { Lasting, Brief };

// Every modal box of the program goes through this one interface: the window shows real message
// boxes, tests record the texts and answer the questions.
class Messages {
 public:
  virtual ~Messages() = default;
  // A box with one OK button.
  virtual void Information(const std::string& text, const std::string& caption) = 0;
  // Yes/No question; true for Yes.
  virtual bool AskYesNo(const std::string& text, const std::string& caption) = 0;
  // OK/Cancel question; true for OK.
  virtual bool AskOkCancel(const std::string& text, const std::string& caption) = 0;
  // A notice that does not wait for the operator: the program goes on. A lasting notice holds
  // while its cause does, until the program closes it (the loss notice closes when the unit is
  // back); a brief one says what just happened and goes by itself after a few seconds. Without a
  // window of its own it is an ordinary box.
  virtual void ShowNotice(const std::string& text, const std::string& caption, NoticeKind kind) {
    (void)kind;
    Information(text, caption);
  }
  virtual void CloseNotice() {}
  // A question with buttons of its own: the index of the button chosen, or -1 when the box was
  // closed without one (Escape), which a caller takes as its most careful answer. Without a
  // window of its own it is an ordinary box answered -1.
  virtual int AskChoice(const std::string& text, const std::string& caption,
                        const std::vector<std::string>& buttons) {
    (void)buttons;
    Information(text, caption);
    return -1;
  }
  // The standard file dialogs: the file chosen, or empty for Cancel. `filter` as the dialog
  // takes it ("Presets (*.Nddt)"); `start` the folder or file the dialog opens at.
  virtual std::string AskOpenFile(const std::string& caption, const std::string& start,
                                  const std::string& filter) {
    (void)caption, (void)start, (void)filter;
    return {};
  }
  virtual std::string AskSaveFile(const std::string& caption, const std::string& start,
                                  const std::string& filter) {
    (void)caption, (void)start, (void)filter;
    return {};
  }
};

// 0 English (the default), 1 Chinese.
enum class Language { English = 0, Chinese = 1 };

struct LocalizedText {
  std::string chinese;
  std::string english;
  const std::string& In(Language language) const {
    return language == Language::Chinese ? chinese : english;
  }
};

// Shows the text and caption of the given language in an OK box.
inline void ShowLocalizedMessage(Messages& messages, Language language, const LocalizedText& text,
                                 const LocalizedText& caption) {
  messages.Information(text.In(language), caption.In(language));
}

// The same as a notice that does not wait.
inline void ShowLocalizedNotice(Messages& messages, Language language, const LocalizedText& text,
                                const LocalizedText& caption, NoticeKind kind) {
  messages.ShowNotice(text.In(language), caption.In(language), kind);
}

}  // namespace velantro
