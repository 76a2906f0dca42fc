#pragma once

// The one writer of the store for everything the operator edits. Every edit (a bar, a typed
// value, a key or wheel step, a click, a graph drag, an EQ reset, a band preset) changes the
// store here and nowhere else, and leaves one EditRecord: the addresses, the values before and
// after, and its origin. Listeners (the EQ graph, and whatever keeps a history or marks changed
// values) hear of each record. Writes the console makes by itself go through here too, with
// origin System and no record: start-up values, values a refresh keeps because a control cannot
// show them, the view selectors, a mode recall.

#include <span>
#include <utility>
#include <vector>

#include "model/EditRecord.h"
#include "model/ParamAddress.h"
#include "model/ParamStore.h"

namespace velantro {

constexpr int kAllPages = 20;  // ResetEqBands (and a refresh): every page

class ParamEditor {
 public:
  explicit ParamEditor(ParamStore& store) : store_(store) {}
  ParamEditor(const ParamEditor&) = delete;
  ParamEditor& operator=(const ParamEditor&) = delete;

  ParamStore& store() { return store_; }
  const ParamStore& store() const { return store_; }

  // Page and DeviceImage slot where the unit keeps the value shown at `address`.
  std::pair<int, int> DeviceSlot(ParamAddress address) const;

  void AddListener(EditListener* listener);
  void RemoveListener(EditListener* listener);

  // ---- single values -------------------------------------------------------------------------

  // A value the unit takes as one write (a value frame), sent while the link is online.
  void SetValue(ParamAddress address, int value, EditOrigin origin);
  // A band field: stored in both tables, and the band's frame (all five fields, read from the
  // store when it leaves) sent while the link is online.
  void SetBandField(ParamAddress address, int value, EditOrigin origin);
  // A band field stored in both tables (ViewValues at the address, DeviceImage where the unit
  // keeps it) and not sent: shown from the store, or carried by another field's band frame.
  void StoreBoth(ParamAddress address, int value, EditOrigin origin);
  // A two-state value (a toggle, a phase, an EQ pass) flipped: 0 becomes 1, anything else 0.
  // Stored and sent like SetValue; gives the new value.
  int Toggle(ParamAddress address, EditOrigin origin);
  // A value the console corrects while it only shows (a control cannot show what the store
  // holds): stored like SetValue, never sent, no record.
  void Keep(ParamAddress address, int value);
  // A stored value past what its control can show (a Q past the table), corrected in ViewValues
  // only: the unit's image keeps what it had. No record.
  void KeepShown(ParamAddress address, int value);

  // ---- edits of more than one value ----------------------------------------------------------

  // Every band of a page (0-10 as the unit keeps it) back to the defaults: PEQ, the page's
  // default frequency, 0 dB, Q 1.00 / 0.71; each band's frame is sent. kAllPages writes the
  // defaults of every page into the DeviceImage of both music settings (the start-up values,
  // origin System, nothing sent).
  void ResetEqBands(int target, EditOrigin origin);
  // The DEQ reference settings: each channel's band fields as given (`fields[channel][field]`),
  // one band frame a channel.
  void SetDeqBands(const int (&fields)[3][5], EditOrigin origin);
  // Sing / Disco: the music setting (0x0001) and the layout it selects for the unit's image.
  void SetMusicSetting(int value, EditOrigin origin);
  // A whole image taken at once (a preset loaded for its upload): DeviceImage becomes `image`,
  // which the upload sends as a whole, so nothing is queued here. The record names each value
  // a page shows that changed, each image read through its own music setting flag; the music
  // setting the flag does not show changes with the image but has no address to be named by.
  void TakeImage(const DeviceTable& image, EditOrigin origin);
  // Writes of several values that make one edit: the records of the writes between Begin and
  // End become one record (a value written twice keeps its first "before").
  void BeginEdit(EditOrigin origin);
  void EndEdit();
  // The cells' before (or after) values written back as one edit of `origin`: band fields
  // stored and sent as one band frame a band, other values as value frames, the music setting
  // with the layout it selects. Each value lands where the cell says the unit keeps it, whatever
  // the view selectors show now, and the view shows it where a selector puts it on view.
  void WriteCells(std::span<const EditCell> cells, bool after, EditOrigin origin);

  // ---- the console's own writes: no record ---------------------------------------------------

  // The view selectors: which MIC group, which output pages, which effect EQ page the shared
  // sheets show and edit.
  void SetMicGroup(int group);
  void SetMainOutputPage(int page);
  void SetAuxOutputPage(int page);
  // The values the unit's image starts with before anything is read from a unit.
  void WriteStartValues();

  // ---- the graph -----------------------------------------------------------------------------

  // A value the graph draws was edited, or a band was selected: the graph redraws that band.
  // While a refresh runs nothing is told (a refresh only shows).
  void NoteGraphChange(GraphChange change);
  // The last change told to the graph.
  GraphChange LastGraphChange() const { return lastGraphChange_; }

 private:
  void WriteCell(ParamAddress address, int value, EditOrigin origin,
                 std::vector<ParamAddress>& bands);
  // The cell of a write about to happen, kept when it changes the shown value.
  void Note(EditOrigin origin, ParamAddress address, int after);
  // A cell of the edit in progress; a cell noted again keeps its first "before".
  void NoteCell(const EditCell& cell);
  void Flush();

  ParamStore& store_;
  std::vector<EditListener*> listeners_;
  EditRecord pending_;
  int depth_ = 0;
  GraphChange lastGraphChange_{};
};

// The shared view address a view selector may put the value kept at `where` (an EditCell
// address) on: the MIC page for MIC B, the main and AUX output pages for SUR and AUX2, the effect
// page for the reverb EQ; -1 for a value only its own address shows.
ParamAddress SharedViewAddress(ParamAddress where);

// A scope of writes that make one edit.
class EditScope {
 public:
  EditScope(ParamEditor& editor, EditOrigin origin) : editor_(editor) { editor_.BeginEdit(origin); }
  ~EditScope() { editor_.EndEdit(); }
  EditScope(const EditScope&) = delete;
  EditScope& operator=(const EditScope&) = delete;

 private:
  ParamEditor& editor_;
};

}  // namespace velantro
