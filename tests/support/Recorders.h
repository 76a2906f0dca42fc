#pragma once

// The recording doubles every test program shares: a ChangeSink that records what the store hands
// to the change queue, and a Messages that records every box and answers the questions.

#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "link/Frames.h"
#include "model/Messages.h"
#include "model/ParamStore.h"

namespace velantro::test {

// One change the store handed to the change queue. A band write carries its frame as it would be
// built at that moment, when the sink knows the store.
struct Sent {
  bool band = false;
  ParamAddress address = 0;  // effective address
  int value = 0;             // of an ordinary write
  Bytes frame;               // of a band write
  // Field k (0 .. 4) and the band number of a band frame.
  int Field(int k) const { return frame[8 + 2 * k] | (frame[9 + 2 * k] << 8); }
  int Band() const { return frame[6] | (frame[7] << 8); }
  int FrameAddress() const { return frame[4] * 256 + frame[5]; }
};

// Records every change in order. Built with the store, it also builds each band write's frame
// from the store's ViewValues, as the queue would.
class RecordingSink : public ChangeSink {
 public:
  RecordingSink() = default;
  explicit RecordingSink(const ParamStore& store) : store_(&store) {}

  bool LinkOnline() const override { return online; }
  void QueueValue(ParamAddress effective, int value) override;
  void QueueBand(ParamAddress effective) override;

  // (effective address, value) of every ordinary write, in order.
  std::vector<std::pair<ParamAddress, int>> Values() const;
  // Effective address of every band write, in order.
  std::vector<ParamAddress> Bands() const;
  void Clear() { sent.clear(); }

  bool online = true;      // what LinkOnline answers
  std::vector<Sent> sent;  // every change, in order

 private:
  const ParamStore* store_ = nullptr;
};

// Records every box; questions are answered from a queue (Yes/OK when it is empty). With
// questionsExpected off, a question fails the test and is answered No/Cancel, unrecorded.
class RecordingMessages : public Messages {
 public:
  struct Box {
    std::string text;
    std::string caption;
  };
  void Information(const std::string& text, const std::string& caption) override;
  bool AskYesNo(const std::string& text, const std::string& caption) override;
  bool AskOkCancel(const std::string& text, const std::string& caption) override;
  void ShowNotice(const std::string& text, const std::string& caption, NoticeKind kind) override;
  void CloseNotice() override;
  // Choices are answered from `choices` (-1, the careful answer, when it is empty); the file
  // dialogs from `files` (Cancel when empty). Both are recorded as boxes, the dialogs with their
  // caption as the text.
  int AskChoice(const std::string& text, const std::string& caption,
                const std::vector<std::string>& buttons) override;
  std::string AskOpenFile(const std::string& caption, const std::string& start,
                          const std::string& filter) override;
  std::string AskSaveFile(const std::string& caption, const std::string& start,
                          const std::string& filter) override;

  // The texts and the captions of the boxes, in order.
  std::vector<std::string> Texts() const;
  std::vector<std::string> Captions() const;

  std::vector<Box> boxes;
  struct Notice {
    std::string text;
    std::string caption;
    NoticeKind kind;
  };
  std::vector<Notice> notices;  // notices that do not wait
  bool noticeOpen = false;      // a lasting notice is on show
  int noticesClosed = 0;
  std::deque<bool> answers;
  std::deque<int> choices;
  std::deque<std::string> files;
  // The buttons of the last choice asked.
  std::vector<std::string> lastButtons;
  bool questionsExpected = true;
};

}  // namespace velantro::test
