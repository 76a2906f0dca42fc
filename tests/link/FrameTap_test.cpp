#include "link/FrameTap.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "link/DeviceLink.h"
#include "support/LinkHarness.h"

namespace velantro::test {
namespace {

struct Tapped {
  FrameKind kind;
  ParamAddress address;
  Bytes bytes;
};

class RecordingTap : public FrameTap {
 public:
  void OnFrameSent(const FrameRecord& r) override { sent.push_back(Copy(r)); }
  void OnFrameReceived(const FrameRecord& r) override { received.push_back(Copy(r)); }
  std::vector<Tapped> sent;
  std::vector<Tapped> received;

 private:
  static Tapped Copy(const FrameRecord& r) {
    return {r.kind, r.address, {r.bytes.begin(), r.bytes.end()}};
  }
};

using Meaning = std::pair<FrameKind, ParamAddress>;

std::vector<Meaning> Meanings(const std::vector<Tapped>& records, size_t from = 0) {
  std::vector<Meaning> out;
  for (size_t i = from; i < records.size(); ++i)
    out.emplace_back(records[i].kind, records[i].address);
  return out;
}

std::vector<Meaning> Without(std::vector<Meaning> meanings, FrameKind kind) {
  std::erase_if(meanings, [kind](const Meaning& m) { return m.first == kind; });
  return meanings;
}

Bytes Joined(const std::vector<Bytes>& frames) {
  Bytes out;
  for (const Bytes& f : frames) out.insert(out.end(), f.begin(), f.end());
  return out;
}

Bytes Joined(const std::vector<Tapped>& records) {
  Bytes out;
  for (const Tapped& r : records) out.insert(out.end(), r.bytes.begin(), r.bytes.end());
  return out;
}

// The requests of a whole download, as the unit's protocol lists them, with the answer each
// takes: a page is answered from its index 0, an item or a mode name at its own address.
std::vector<Meaning> DownloadReads() {
  std::vector<Meaning> reads;
  for (int page = 0; page <= 9; ++page)
    reads.emplace_back(FrameKind::PageRead, MakeAddress(page, 0));
  for (ParamAddress a : {0x0A07, 0x0A08, 0x0A09, 0x0A0A, 0x0A0B, 0x0A20, 0x0A21, 0x0A22}) {
    reads.emplace_back(FrameKind::ItemRead, a);
  }
  for (int name = 0; name < 9; ++name) reads.emplace_back(FrameKind::ModeNameRead, 0x0A00);
  for (ParamAddress a :
       {0x0A06, 0x0A02, 0x0A03, 0x0A04, 0x0A05, 0x0A0C, 0x0A0D, 0x0A0E, 0x0A40, 0x0A11, 0x0A01}) {
    reads.emplace_back(FrameKind::ItemRead, a);
  }
  return reads;
}

std::vector<Meaning> AnswersTo(const std::vector<Meaning>& reads) {
  std::vector<Meaning> answers;
  for (const auto& [kind, address] : reads) {
    answers.emplace_back(
        kind == FrameKind::PageRead ? FrameKind::PageAnswer : FrameKind::ItemAnswer, address);
  }
  return answers;
}

// A download, an edit of a value and of a band and their acknowledgements: the tap sees every
// frame that went on the wire and every byte the unit sent, each with what it means.
TEST(FrameTap, SeesEveryFrameOfADownloadAndAnEditWithItsMeaning) {
  LinkHarness h;
  RecordingTap tap;
  h.link.SetFrameTap(&tap);
  ASSERT_TRUE(h.ConnectOverNetwork());
  h.Advance(1100);  // past the first keep-alive and its acknowledgement

  const size_t sentBefore = tap.sent.size();
  const size_t receivedBefore = tap.received.size();
  h.store.SetParam(0x0105, 300);
  h.Advance(100);
  const ParamAddress bandField = MakeAddress(1, BandFieldIndex(1, 2, 0));
  h.store.SetBand(bandField, 1000);
  h.Advance(100);

  ASSERT_EQ(tap.sent.size(), h.sent.size());
  for (size_t i = 0; i < h.sent.size(); ++i) EXPECT_EQ(tap.sent[i].bytes, h.sent[i].bytes) << i;
  EXPECT_EQ(Joined(tap.received), Joined(h.answers));

  const std::vector<Meaning> reads = DownloadReads();
  EXPECT_EQ(Without(Meanings(tap.sent, 0), FrameKind::LinkControl), [&] {
    std::vector<Meaning> all = reads;
    all.emplace_back(FrameKind::ValueWrite, 0x0105);
    all.emplace_back(FrameKind::BandWrite, kPages[1].bandFrameAddress);
    return all;
  }());
  EXPECT_EQ(Without(Meanings(tap.received, 0), FrameKind::Ack), AnswersTo(reads));
  EXPECT_EQ(Hex(tap.sent[sentBefore].bytes), "FC BA 06 A7 01 05 2C 01 6C");
  EXPECT_EQ(Meanings(tap.sent, sentBefore),
            (std::vector<Meaning>{{FrameKind::ValueWrite, 0x0105},
                                  {FrameKind::BandWrite, kPages[1].bandFrameAddress}}));
  ASSERT_EQ(tap.received.size(), receivedBefore + 2);
  for (size_t i = receivedBefore; i < tap.received.size(); ++i) {
    EXPECT_EQ(tap.received[i].kind, FrameKind::Ack);
    EXPECT_EQ(Hex(tap.received[i].bytes), "FE BB");
  }
}

TEST(FrameTap, NamesEveryUploadStepAndItsAnswer) {
  LinkHarness h;
  RecordingTap tap;
  ASSERT_TRUE(h.ConnectOverNetwork());
  h.Advance(1100);
  h.link.SetFrameTap(&tap);
  const size_t answersBefore = h.answers.size();
  h.link.StartUpload();
  ASSERT_TRUE(h.RunUntil([&] { return h.Online(); }, 30000));

  std::vector<Meaning> steps;
  for (ParamAddress a = 0x0A06; a <= 0x0A0B; ++a) steps.emplace_back(FrameKind::UploadVolume, a);
  for (int page = 0; page <= 9; ++page)
    steps.emplace_back(FrameKind::UploadPage, MakeAddress(page, 0));
  for (int k = 0; k < 4; ++k) steps.emplace_back(FrameKind::UploadClosing, 0x0A11);
  EXPECT_EQ(Without(Meanings(tap.sent), FrameKind::LinkControl), steps);
  const std::vector<Bytes> answers(h.answers.begin() + static_cast<std::ptrdiff_t>(answersBefore),
                                   h.answers.end());
  EXPECT_EQ(Joined(tap.received), Joined(answers));
  for (const Tapped& r : tap.received) {
    EXPECT_TRUE(r.kind == FrameKind::Ack || r.kind == FrameKind::UploadAnswer)
        << FrameKindName(r.kind);
  }
}

// Frames sent from outside the link (a text, a read-back request) carry their meaning in their
// bytes.
TEST(FrameTap, OneOffFramesAreReadFromTheirBytes) {
  const std::vector<std::pair<Bytes, Meaning>> cases{
      {BuildPageRequest(3), {FrameKind::PageRead, MakeAddress(3, 0)}},
      {BuildItemRequest(0x0A07), {FrameKind::ItemRead, 0x0A07}},
      {BuildNameRequest(2), {FrameKind::ModeNameRead, 0x0A00}},
      {BuildLinkControl(kLinkKeepAlive), {FrameKind::LinkControl, 0x0A30}},
      {BuildValue(kCmdWrite, 0x0105, 7), {FrameKind::ValueWrite, 0x0105}},
      {BuildModeSave(1, "A"), {FrameKind::ModeSave, 0x0A01}},
  };
  for (const auto& [frame, meaning] : cases) {
    const FrameMeaning m = SentFrameMeaning(frame);
    EXPECT_EQ(Meaning(m.kind, m.address), meaning) << Hex(frame);
  }
}

}  // namespace
}  // namespace velantro::test
