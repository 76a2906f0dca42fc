#include "support/Recorders.h"

#include <gtest/gtest.h>

#include "model/Scales.h"

namespace velantro::test {

void RecordingSink::QueueValue(ParamAddress effective, int value) {
  sent.push_back({false, effective, value, {}});
}

void RecordingSink::QueueBand(ParamAddress effective) {
  Bytes frame;
  if (store_ != nullptr) {
    const BandLocation where = LocateBand(effective, store_->MicGroup);
    frame = BuildBandFrame(*store_, kPages[PageOf(effective)].bandFrameAddress, where.band);
  }
  sent.push_back({true, effective, 0, std::move(frame)});
}

std::vector<std::pair<ParamAddress, int>> RecordingSink::Values() const {
  std::vector<std::pair<ParamAddress, int>> values;
  for (const Sent& s : sent) {
    if (!s.band) values.emplace_back(s.address, s.value);
  }
  return values;
}

std::vector<ParamAddress> RecordingSink::Bands() const {
  std::vector<ParamAddress> bands;
  for (const Sent& s : sent) {
    if (s.band) bands.push_back(s.address);
  }
  return bands;
}

void RecordingMessages::Information(const std::string& text, const std::string& caption) {
  boxes.push_back({text, caption});
}

bool RecordingMessages::AskYesNo(const std::string& text, const std::string& caption) {
  if (!questionsExpected) {
    ADD_FAILURE() << "unexpected question " << text;
    return false;
  }
  boxes.push_back({text, caption});
  if (answers.empty()) return true;
  const bool answer = answers.front();
  answers.pop_front();
  return answer;
}

bool RecordingMessages::AskOkCancel(const std::string& text, const std::string& caption) {
  return AskYesNo(text, caption);
}

int RecordingMessages::AskChoice(const std::string& text, const std::string& caption,
                                 const std::vector<std::string>& buttons) {
  if (!questionsExpected) {
    ADD_FAILURE() << "unexpected question " << text;
    return -1;
  }
  boxes.push_back({text, caption});
  lastButtons = buttons;
  if (choices.empty()) return -1;
  const int choice = choices.front();
  choices.pop_front();
  return choice;
}

std::string RecordingMessages::AskOpenFile(const std::string& caption, const std::string&,
                                           const std::string&) {
  boxes.push_back({caption, caption});
  if (files.empty()) return {};
  std::string file = files.front();
  files.pop_front();
  return file;
}

std::string RecordingMessages::AskSaveFile(const std::string& caption, const std::string& start,
                                           const std::string& filter) {
  return AskOpenFile(caption, start, filter);
}

void RecordingMessages::ShowNotice(const std::string& text, const std::string& caption,
                                   NoticeKind kind) {
  notices.push_back({text, caption, kind});
  noticeOpen = kind == NoticeKind::Lasting;
}

void RecordingMessages::CloseNotice() {
  if (noticeOpen) ++noticesClosed;
  noticeOpen = false;
}

std::vector<std::string> RecordingMessages::Texts() const {
  std::vector<std::string> texts;
  for (const Box& box : boxes) texts.push_back(box.text);
  return texts;
}

std::vector<std::string> RecordingMessages::Captions() const {
  std::vector<std::string> captions;
  for (const Box& box : boxes) captions.push_back(box.caption);
  return captions;
}

}  // namespace velantro::test
