// The graph's keys: with the graph focused (F6 from anywhere in the window), the operator picks a
// band and changes it without the mouse. Every change goes through the host's edit path as a key
// edit, as a drag goes through it as a drag, so the band's fields, the unit and the undo history
// hear of it like any other edit. A key the section does not allow (EQ pass on, Auto on the Music
// and DEQ sheets, a band the page does not show) changes nothing and beeps.

#include <QApplication>
#include <QKeyEvent>

#include "eq/EqGraphPanel.h"
#include "eq/PageBandModel.h"
#include "model/BandLayout.h"
#include "model/ParamStore.h"
#include "model/Scales.h"

namespace velantro {

namespace {

constexpr int kGainRawPerDb = 5;   // the gain's raw step is 0.2 dB
constexpr int kBandOfKeyZero = 9;  // "0" is band 10, after "9"

// The band a number key names (0-based), or -1.
int BandOfNumberKey(int key) {
  if (key == Qt::Key_0) return kBandOfKeyZero;
  if (key >= Qt::Key_1 && key <= Qt::Key_9) return key - Qt::Key_1;
  return -1;
}

bool IsArrow(int key) {
  return key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Left || key == Qt::Key_Right;
}

}  // namespace

void EqGraphPanel::keyPressEvent(QKeyEvent* event) {
  const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
  const int key = event->key();
  const bool mine = (BandOfNumberKey(key) >= 0 && mods == Qt::NoModifier) ||
                    (key == Qt::Key_Delete && mods == Qt::NoModifier) ||
                    (IsArrow(key) && mods != Qt::MetaModifier);
  if (!mine) {
    QWidget::keyPressEvent(event);
    return;
  }
  if (!GraphKey(key, mods)) QApplication::beep();
}

bool EqGraphPanel::GraphKey(int key, Qt::KeyboardModifiers mods) {
  if (host_ == nullptr || !started_) return false;
  const int numbered = BandOfNumberKey(key);
  if (numbered >= 0) return ChooseKeyBand(numbered);
  const int up = key == Qt::Key_Up ? 1 : -1;
  const int step = up > 0 ? kStepUp : kStepDown;
  switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
      return mods == Qt::NoModifier && ChooseKeyBand(KeyBand() + (key == Qt::Key_Right ? 1 : -1));
    case Qt::Key_Up:
    case Qt::Key_Down:
      if (mods == Qt::NoModifier) return KeyStepBand(kBandFieldGain, kStepNone, up * kGainRawPerDb);
      if (mods == Qt::AltModifier) return KeyStepBand(kBandFieldGain, step, 0);
      if (mods == Qt::ShiftModifier) return KeyStepBand(kBandFieldFrequency, step, 0);
      if (mods == Qt::ControlModifier) return KeyStepBand(kBandFieldPeqQ, step, 0);
      return false;
    case Qt::Key_Delete: {
      const GraphControl gain = KeyControl(kBandFieldGain);
      if (!gain.valid()) return false;
      host_->ApplyKeyValue(gain, kGainRawZeroDb);
      RedrawLastChange();
      return true;
    }
    default:
      return false;
  }
}

// The band the graph's keys act on: the section's selected band.
int EqGraphPanel::KeyBand() const {
  return host_ != nullptr ? host_->SelectedBand(GraphIndex(host_->CurrentSection())) : -1;
}

// Bands the graph shows on the section on view: the band handles up to the page's last band.
bool EqGraphPanel::KeyBandShown(int band) const {
  return band >= 0 && band < kBandHandleCount && band <= renderer_.lastEqEntry() &&
         renderer_.handle(band).visible;
}

// A band is chosen the way a click into its gain field chooses it (a DEQ channel by its
// frequency field, as a handle's release does); the focus stays on the graph.
bool EqGraphPanel::ChooseKeyBand(int band) {
  if (!KeyBandShown(band) || BandEditLocked(SectionSheet())) return false;
  const int field = SectionPage() == kDeqPage ? kBandFieldFrequency : kBandFieldGain;
  host_->ChooseBand(BandFieldAddress(band, field));
  RedrawLastChange();
  return KeyBand() == band;
}

// The field of the chosen band a key changes; none while the section does not let the graph
// change that band.
GraphControl EqGraphPanel::KeyControl(int field) const {
  const int band = KeyBand();
  if (!KeyBandShown(band) || !BandGainEditable(band)) return {};
  const BandModelEntry& e = renderer_.model().entry(band);
  ParamAddress address = BandFieldAddress(band, field);
  if (field == kBandFieldGain) address = e.gainAddress;
  if (field == kBandFieldFrequency) address = e.frequencyAddress;
  if (!host_->IsEditBox(address)) return {};
  return GraphControl{address, ControlTable::Main};
}

bool EqGraphPanel::KeyStepBand(int field, int step, int rawDelta) {
  const GraphControl control = KeyControl(field);
  if (!control.valid()) return false;
  host_->KeyStep(control, step, rawDelta);
  RedrawLastChange();
  return true;
}

}  // namespace velantro
