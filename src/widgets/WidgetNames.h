#pragma once

// objectNames of the window's named widgets that edit no parameter (the bound controls are in
// ControlTable.cpp): the section strip and its tabs, groups the binding enables, the band
// strips, the point labels. The pages name their widgets with these, the window and the binding
// find them by these, style sheets and tests use the same texts. "%1" marks a number.

namespace velantro::names {

// the strip of section tabs
inline constexpr char kSectionStrip[] = "TopTileGrop";
// section tab n (1 .. 10; the last two never show)
inline constexpr char kTabButton[] = "FormTabBtn%1";
// the stack of section pages
inline constexpr char kPageStack[] = "FormPageItem";
// the panel that asks for the key lock password
inline constexpr char kKeyLockPanel[] = "FirstCheckGrop";
// Over the greyed pages while the unit's settings are read in.
inline constexpr char kLoadingNotice[] = "LoadingNotice";
// the status line
inline constexpr char kStatusLabel[] = "StatusLabel";
// Connect / Unlink
inline constexpr char kLinkButton[] = "LinkBtn";
inline constexpr char kUnlinkButton[] = "UnLinkBtn";
// the group of the EQ pass and EQ Reset buttons
inline constexpr char kEqPassGroup[] = "EQPassGrop";
inline constexpr char kEqResetButton[] = "EQResetBtn";
inline constexpr char kSingDiscoGroup[] = "SingleDiscoGrop";
// the hidden edit that stands for "no band edit"
inline constexpr char kPlaceholderEdit[] = "Example";
// "EQ PASS" over the graph
inline constexpr char kEqPassNotice[] = "EQPassLabel";
inline constexpr char kCurrentModeLabel[] = "CurrentModeLabel";
// the MIC group selector
inline constexpr char kMicGroupA[] = "MicABtn";
inline constexpr char kMicGroupB[] = "MicBBtn";
// the MIC page's captions and strip
inline constexpr char kMicCurvePanel[] = "MicCurvyPanel";
// band strips: the boxes that scroll, and their sliders
inline constexpr char kMusicStrip[] = "MusScrollBox";
inline constexpr char kMicStrip[] = "MicScrollBox";
inline constexpr char kEffectStrip[] = "EffScrollBar";
inline constexpr char kMainStrip[] = "MainPanScrollBox";
inline constexpr char kAuxStrip[] = "SubScrollPaneBox";
inline constexpr char kMicStripScroll[] = "MicPanScrollBar";
inline constexpr char kMainStripScroll[] = "MainPanScrollBar";
inline constexpr char kAuxStripScroll[] = "SubPanScrollBar";
// point labels: prefix + band number
inline constexpr char kMusicPoints[] = "MusEQPointLabel";
inline constexpr char kMicPoints[] = "MicEQPointLabel";
inline constexpr char kEffectPoints[] = "EffEQPointLabel";
inline constexpr char kMainPoints[] = "MainEQPointLabel";
inline constexpr char kAuxPoints[] = "SubEQPointLabel";
inline constexpr char kDeqPoints[] = "DEQPointLabel";
// DEQ channel n (1 .. 3)
inline constexpr char kDeqChannelGroup[] = "DEQ%1Grop";
// DEQ channel c, sensitivity s
inline constexpr char kDeqAmpButton[] = "AmpLBtn%1_%2";
inline constexpr char kDeqReferenceButton[] = "DEQReferenceBtn";
// system page
inline constexpr char kMusicGainGroup[] = "SignRzGroup";
inline constexpr char kUserAdminGroup[] = "SysUserMangerGrop";
inline constexpr char kDeviceCodeEdit[] = "SysDeviceCodeEdit";
inline constexpr char kIpAddressEdit[] = "IPAddressEdit";
inline constexpr char kIpPortEdit[] = "IPPortEdit";
// The console's language on the System page: English, then Chinese, each in its own language.
inline constexpr char kLanguageBox[] = "LanguageBox";
// the preset grid
inline constexpr char kPresetGrid[] = "ValueListEditor1";

}  // namespace velantro::names
