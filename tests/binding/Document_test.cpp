// The console's document: its title, its unsaved mark, and what a connect does with it.
#include "binding/Document.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velantro {
namespace {

constexpr int kMusicGain2Index = 0x0B;  // Music EQ 2 gain, page 0

DeviceTable Image(int gain) {
  DeviceTable image{};
  image[0][ParamStore::DeviceIndex(0, kMusicGain2Index, 0)] = gain;
  return image;
}

class DocumentTest : public ::testing::Test {
 protected:
  ParameterCatalog catalog;
  Document document{catalog};
};

TEST_F(DocumentTest, TitleSaysWhatIsEditedAndMarksUnsavedChanges) {
  struct Case {
    const char* name;
    DocumentKind kind;
    int shownGain;
    std::string title;
  };
  const std::vector<Case> cases{
      {"factory", DocumentKind::Factory, 120, "Velantro — factory settings"},
      {"factory edited", DocumentKind::Factory, 121, "Velantro — factory settings ●"},
      {"file", DocumentKind::File, 120, "Velantro — Stage.Nddt"},
      {"file edited", DocumentKind::File, 125, "Velantro — Stage.Nddt ●"},
      {"unit", DocumentKind::Unit, 125, "Velantro — unit"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.kind == DocumentKind::Factory) document.SetFactory(Image(120));
    if (c.kind != DocumentKind::Factory) document.SetFile("/shows/Stage.Nddt", Image(120));
    if (c.kind == DocumentKind::Unit) document.SetUnit();
    EXPECT_EQ(document.Title(Image(c.shownGain)), c.title);
  }
}

TEST_F(DocumentTest, TheUnitsOwnSystemSettingsAreNoUnsavedChange) {
  document.SetFile("/shows/Stage.Nddt", Image(120));
  DeviceTable now = Image(120);
  now[10][0] = 3;  // the unit's current mode: an upload does not carry it
  EXPECT_FALSE(document.Modified(now));
}

TEST_F(DocumentTest, ConnectChoiceFollowsTheDifferenceThePolicyAndUntouchedFactorySettings) {
  struct Case {
    const char* name;
    DocumentKind kind;
    int documentGain;  // the document as shown; saved with gain 120
    int unitGain;
    OnConnectPolicy policy;
    ConnectChoice choice;
  };
  const std::vector<Case> cases{
      {"same as the unit", DocumentKind::File, 125, 125, OnConnectPolicy::Ask,
       ConnectChoice::Silent},
      {"untouched factory", DocumentKind::Factory, 120, 130, OnConnectPolicy::Send,
       ConnectChoice::Silent},
      {"edited factory", DocumentKind::Factory, 121, 130, OnConnectPolicy::Ask, ConnectChoice::Ask},
      {"file, ask", DocumentKind::File, 120, 130, OnConnectPolicy::Ask, ConnectChoice::Ask},
      {"file, send", DocumentKind::File, 120, 130, OnConnectPolicy::Send, ConnectChoice::Send},
      {"file, take", DocumentKind::File, 120, 130, OnConnectPolicy::Take, ConnectChoice::Take},
      {"unit edited after Unlink", DocumentKind::Unit, 122, 120, OnConnectPolicy::Ask,
       ConnectChoice::Ask},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.kind == DocumentKind::Factory) document.SetFactory(Image(120));
    if (c.kind != DocumentKind::Factory) document.SetFile("/shows/Stage.Nddt", Image(120));
    if (c.kind == DocumentKind::Unit) document.SetUnit();
    EXPECT_EQ(document.ChooseOnConnect(Image(c.documentGain), Image(c.unitGain), c.policy),
              c.choice);
  }
}

TEST(DocumentTexts, PendingCountAndOnConnectWords) {
  EXPECT_EQ(EditsNotOnUnitText(0), "");
  EXPECT_EQ(EditsNotOnUnitText(1), "1 edit not on the unit");
  EXPECT_EQ(EditsNotOnUnitText(3), "3 edits not on the unit");
  OnConnectPolicy policy = OnConnectPolicy::Ask;
  EXPECT_TRUE(ParseOnConnectPolicy("send", policy));
  EXPECT_EQ(policy, OnConnectPolicy::Send);
  EXPECT_TRUE(ParseOnConnectPolicy("take", policy));
  EXPECT_EQ(policy, OnConnectPolicy::Take);
  EXPECT_TRUE(ParseOnConnectPolicy("ask", policy));
  EXPECT_EQ(policy, OnConnectPolicy::Ask);
  EXPECT_FALSE(ParseOnConnectPolicy("Send", policy));
  EXPECT_FALSE(ParseOnConnectPolicy("", policy));
}

}  // namespace
}  // namespace velantro
