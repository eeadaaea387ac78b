// The shipped windows explain themselves at every screen size the data set
// has: every window a person meets names its help page, every icon-only
// button has its hint or sits in a window whose help explains it, every text
// those name exists, and every help page, How to Play included, fits the
// window that shows it: no line wider than the text area, no page taller,
// no page the layout breaks off mid-sentence. A control a help page names
// is one its window shows, by the words it shows. The credits name every
// mission's maker.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <map>
#include <new>
#include <set>
#include <string>
#include <vector>

#include "app/text_screen_wnd.h"
#include "core/display_surface.h"
#include "core/draw_context.h"
#include "core/font.h"
#include "core/locale_table.h"
#include "core/pack_format.h"
#include "core/path_mgr.h"
#include "core/raster.h"
#include "core/resource_mgr.h"
#include "core/ui_mgr.h"
#include "core/ui_tree.h"
#include "game/scenario_mgr.h"
#include "tests/support/build_folder.h"
#include "tests/support/screen/ui_rig.h"
#include "ui/help_mgr.h"
#include "ui/markup_layout.h"
#include "ui/skin.h"
#include "ui/text_element.h"
#include "ui/ui_link.h"
#include "ui/ui_resolution.h"

namespace {

// Skins of the windows a person meets, and of the buttons of our layouts.
const std::set<std::string> kWindowSkins = {"Dialog", "Screen", "Night", "Title"};
const std::set<std::string> kButtonSkins = {"Button", "SquadBtn", "CastleBtn"};
// Pictures every player reads without a word.
const std::set<std::string> kPlainPictures = {"Ok", "Cancel"};
// The words the art generator paints on the worded button pictures (under
// /Images/Btn/): the picture's name is not what a person reads.
const std::map<std::string, std::string> kPictureWords = {
    {"Ok", "OK"}, {"Cancel", "Cancel"}, {"Accept", "Trade"}, {"Yes", "Yes"}, {"No", "No"}};
// Windows the layouts keep but no rule of the game opens.
const std::set<std::string> kNeverShown = {"Map/MapWnd/TaxesWnd"};
constexpr const char* kHelpWindow = "Main/HelpWnd";

// One node of a compiled tree, read from its "uib" table.
struct Node {
    std::string name, path;
    int depth = 0;
    int parent = -1;
    std::vector<uint16_t> values;  // without the name
    std::vector<int> children;
};

struct Tree {
    std::vector<Node> nodes;

    // The pool string of a value, or "" for a value past the node's end.
    std::string Text(const Node& node, size_t value) const
    {
        if (value >= node.values.size())
            return "";
        return CUIMgr::Tree().StringAt(node.values[value]).Chars();
    }
    const Node* Child(const Node& node, const char* name) const
    {
        for (int c : node.children)
            if (nodes[size_t(c)].name == name)
                return &nodes[size_t(c)];
        return nullptr;
    }
};

bool ReadTree(const std::string& layout, Tree& tree)
{
    RawResource raw;
    const std::string path = "/UI/" + layout;
    if (!CResourceMgr::LoadData(path.c_str(), pack_format::kUiBinaryType, raw))
        return false;
    const uint8_t* at = raw.data;
    const uint32_t count = pack_format::ReadU16(at);
    at += 2;
    std::vector<int> open;  // the node of each depth on the way down
    for (uint32_t i = 0; i < count; ++i) {
        Node node;
        node.depth = at[2];
        const int values = at[3];
        node.name = CUIMgr::Tree().StringAt(pack_format::ReadU16(at + 4)).Chars();
        for (int v = 1; v <= values; ++v)
            node.values.push_back(pack_format::ReadU16(at + 4 + 2 * v));
        at += 6 + 2 * values;
        open.resize(size_t(node.depth));
        node.parent = open.empty() ? -1 : open.back();
        node.path = node.parent < 0 ? node.name : tree.nodes[size_t(node.parent)].path + "/" + node.name;
        const int index = int(tree.nodes.size());
        if (node.parent >= 0)
            tree.nodes[size_t(node.parent)].children.push_back(index);
        tree.nodes.push_back(node);
        open.push_back(index);
    }
    return true;
}

// The values after the six of the layout record.
constexpr size_t kFirstOwnValue = 6;

bool ShowsOwnText(const Tree& tree, const Node& node)
{
    for (size_t v = kFirstOwnValue; v < node.values.size(); ++v)
        if (tree.Text(node, v).rfind("/Texts/", 0) == 0)
            return true;
    return false;
}

// A window a person meets: a dialog, a full screen or the title screen, with
// controls of its own (the text screens show their own text and need no
// help), or a plain panel that a person confirms like a dialog.
bool IsWindow(const Tree& tree, const Node& node)
{
    if (node.children.empty() || node.path == kHelpWindow || kNeverShown.count(node.path) ||
        ShowsOwnText(tree, node))
        return false;
    for (size_t v : {kFirstOwnValue, kFirstOwnValue + 1})
        if (kWindowSkins.count(tree.Text(node, v)))
            return true;
    return tree.Text(node, kFirstOwnValue + 1) == "Panel" && tree.Child(node, "BtnOk") != nullptr;
}

// A full screen without a skin of its own (the map, the battle field): its
// modes are its bands, and each mode's band explains the whole screen.
bool IsBareScreen(const Node& node)
{
    return node.values.size() == kFirstOwnValue && node.values[1] == 12;
}

std::vector<const Node*> ModeBands(const Tree& tree, const Node& screen)
{
    std::vector<const Node*> top, bottom;
    for (int c : screen.children) {
        const Node& band = tree.nodes[size_t(c)];
        if (tree.Text(band, kFirstOwnValue + 1) != "Panel")
            continue;
        if (band.values[1] == 4)
            top.push_back(&band);
        if (band.values[1] == 8)
            bottom.push_back(&band);
    }
    return top.empty() ? bottom : top;
}

// A button that shows only a picture: "picture, skin", or "skin, picture, no
// caption".
bool IsIconOnlyButton(const Tree& tree, const Node& node)
{
    if (node.name.rfind("Btn", 0) != 0)
        return false;
    const std::string a = tree.Text(node, kFirstOwnValue), b = tree.Text(node, kFirstOwnValue + 1);
    std::string picture;
    if (node.values.size() == kFirstOwnValue + 2 && kButtonSkins.count(b))
        picture = a;
    if (node.values.size() == kFirstOwnValue + 4 && kButtonSkins.count(a) &&
        tree.Text(node, kFirstOwnValue + 2).empty())
        picture = b;
    return !picture.empty() && !kPlainPictures.count(picture);
}

bool ExplainedByHelp(const Tree& tree, const Node& node)
{
    for (int p = node.parent; p >= 0; p = tree.nodes[size_t(p)].parent) {
        const Node& up = tree.nodes[size_t(p)];
        if (tree.Child(up, "Help_"))
            return true;
        if (IsBareScreen(up))
            for (const Node* band : ModeBands(tree, up))
                if (tree.Child(*band, "Help_"))
                    return true;
    }
    return false;
}

// The rig of one screen size: the display, the windows and the data set
// with that size's skins, fonts and tree.
class ScreenSize {
public:
    ScreenSize(const SkinSizeEntry& size)
        : m_layout(std::to_string(size.width) + "x" + std::to_string(size.height))
    {
        HeadlessOptions options;
        options.closeAfterSteps = 0;
        options.settings.screenWidth = size.width;
        options.settings.screenHeight = size.height;
        UseHeadlessPlatform(options);
        SetDrawContextFactory([]() -> CDrawContext* { return new (std::nothrow) CDrawContext; });
        m_ready = m_display.Open();
        SetDisplaySurface(&m_display);
        InitRasterOps();
        ResetPaletteStack();
        SetRootScreenWndFactory(ui_test::MakeRoot);
        m_ready = m_ready && CWindowMgr::Init() && CResourceMgr::InitFromFolder(TestDataFolder().c_str()) &&
                  CPathMgr::Init() && CUIMgr::Init() && CResourceMgr::MapFolder("", size.folder.Chars()) &&
                  CUIMgr::LoadUiTree(m_layout.c_str());
        RawResource font;
        m_ready = m_ready && CResourceMgr::LoadData("/Locale/Fonts/font", pack_format::kFontType, font);
        if (m_ready) {
            m_font.assign(font.data, font.data + font.size);
            FontData data;
            m_ready = data.Assign(m_font.data(), uint32_t(m_font.size()));
            ClearFontList();
            RegisterFont(data);
        }
    }
    ~ScreenSize()
    {
        CWindowMgr::Shutdown();
        ClearSkinCache();
        ClearFontList();
        SetToolkitHooks({});
        CUIMgr::Shutdown();
        CPathMgr::Shutdown();
        CResourceMgr::Shutdown();
        SetRootScreenWndFactory(nullptr);
        SetDisplaySurface(nullptr);
        m_display.Close();
    }
    bool Ready() const { return m_ready; }
    const std::string& Layout() const { return m_layout; }

private:
    std::string m_layout;
    CDisplaySurface m_display;
    std::vector<uint8_t> m_font;
    bool m_ready = false;
};

std::vector<SkinSizeEntry> ShippedSizes()
{
    std::vector<SkinSizeEntry> sizes;
    if (!CResourceMgr::InitFromFolder(TestDataFolder().c_str()))
        return sizes;
    SkinSizeList list;
    LoadSkinSizeList(list);
    for (int32_t i = 0; i < list.Count(); ++i) {
        const SkinSizeEntry& entry = *list.GetAt(i);
        const std::string tree = "/UI/" + std::to_string(entry.width) + "x" + std::to_string(entry.height);
        if (CResourceMgr::FindResource(tree.c_str(), pack_format::kUiBinaryType).IsFound())
            sizes.push_back(entry);
    }
    CResourceMgr::Shutdown();
    return sizes;
}

bool KnownKey(const std::string& key)
{
    return !key.empty() && CUIMgr::Locale().Lookup(key.c_str()) != CStr(key.c_str());
}

bool KnownText(const std::string& key)
{
    if (key.rfind('/', 0) == 0)
        return CResourceMgr::FindResource(key.c_str(), pack_format::kTextType).IsFound();
    return KnownKey(key);
}

// The words of a mark-up text, its tags left out.
std::vector<std::string> Words(const std::string& markup)
{
    std::vector<std::string> words;
    std::string word;
    bool inTag = false;
    for (const char c : markup + " ") {
        if (c == '{' || c == '}' || c == ' ' || c == '\r' || c == '\n' || c == '\t') {
            if (!inTag && !word.empty())
                words.push_back(word);
            word.clear();
            if (c == '{')
                inTag = true;
            if (c == '}')
                inTag = false;
            continue;
        }
        if (!inTag)
            word += c;
    }
    return words;
}

// Lower case, tags left out, one space between words, as a reader compares.
std::string Plain(const std::string& markup)
{
    std::string text;
    for (const std::string& word : Words(markup))
        text += (text.empty() ? "" : " ") + word;
    for (char& c : text)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The words of a text as a reader compares them: lower case, without the
// punctuation that follows a word.
std::vector<std::string> Compared(const std::string& markup)
{
    std::vector<std::string> words;
    for (std::string word : Words(Plain(markup))) {
        while (!word.empty() && std::string(".,:;!?").find(word.back()) != std::string::npos)
            word.pop_back();
        if (!word.empty())
            words.push_back(word);
    }
    return words;
}

// The words a worded control shows (a caption, a check box's or a game
// menu's item, a worded picture), or none for a control without words. A
// button is laid out as "picture, skin", "skin, picture, caption, colour" or
// "picture, caption, skin".
std::string ShownWords(const Tree& tree, const Node& node)
{
    std::string key;
    if (node.name == "MenuItem")
        key = tree.Text(node, 2);
    else if (node.name.rfind("Cb", 0) == 0 && tree.Text(node, kFirstOwnValue) == "CheckBox")
        key = tree.Text(node, kFirstOwnValue + 1);
    else if (node.name.rfind("Btn", 0) == 0 || node.name == "CloseBtn") {
        const std::string a = tree.Text(node, kFirstOwnValue), b = tree.Text(node, kFirstOwnValue + 1);
        std::string picture;
        if (node.values.size() == kFirstOwnValue + 2 && kButtonSkins.count(b))
            picture = a;
        if (node.values.size() == kFirstOwnValue + 4 && kButtonSkins.count(a)) {
            key = tree.Text(node, kFirstOwnValue + 2);
            picture = key.empty() ? b : "";
        }
        if (node.values.size() == kFirstOwnValue + 3 &&
            kButtonSkins.count(tree.Text(node, kFirstOwnValue + 2))) {
            key = b;
            picture = key.empty() ? a : "";
        }
        if (kPictureWords.count(picture))
            return kPictureWords.at(picture);
    }
    return KnownKey(key) ? CUIMgr::Locale().Lookup(key.c_str()).Chars() : "";
}

// What the worded controls of a window show, its inner windows with help of
// their own left out.
void CollectShownWords(const Tree& tree, const Node& window, std::set<std::vector<std::string>>& out)
{
    for (int c : window.children) {
        const Node& child = tree.nodes[size_t(c)];
        if (tree.Child(child, "Help_"))
            continue;
        const std::vector<std::string> words = Compared(ShownWords(tree, child));
        if (!words.empty())
            out.insert(words);
        CollectShownWords(tree, child, out);
    }
}

// The controls a help page names: the labels of any window, or the names of
// the worded pictures, that begin one of its sentences.
std::vector<std::vector<std::string>> NamedControls(const std::string& help,
                                                    const std::set<std::vector<std::string>>& labels)
{
    std::vector<std::string> words;
    std::vector<bool> starts;
    bool sentenceEnded = true;
    for (const std::string& raw : Words(help)) {
        const std::vector<std::string> word = Compared(raw);
        if (!word.empty()) {
            words.push_back(word.front());
            starts.push_back(sentenceEnded);
        }
        sentenceEnded = std::string(".!?").find(raw.back()) != std::string::npos;
    }
    std::vector<std::vector<std::string>> named;
    for (size_t i = 0; i < words.size(); ++i)
        for (const std::vector<std::string>& label : labels)
            if (starts[i] && i + label.size() <= words.size() &&
                std::equal(label.begin(), label.end(), words.begin() + long(i)))
                named.push_back(label);
    return named;
}

// The visible text of a page's last line that holds any.
std::string LastWords(const MarkupPage& page)
{
    for (auto line = page.Lines().rbegin(); line != page.Lines().rend(); ++line) {
        std::string text;
        for (CDrawableElement* element : (*line)->Elements())
            if (auto* t = static_cast<CTextElement*>(element->QueryInterface(IidTextElement)))
                text += t->Text().Chars();
        while (!text.empty() && text.back() == ' ')
            text.pop_back();
        if (!text.empty())
            return text;
    }
    return "";
}

// Every page of a laid-out text lies inside the text area, and no word is
// so wide that the layout must break it at the edge.
void ExpectPagesFit(CMarkupWnd* text, const std::string& what)
{
    ASSERT_NE(text, nullptr);
    const FontData& font = SelectFont(text->Font());
    const int32_t width = text->PageCount() > 0 ? text->Page(0)->OuterWidth() : 0;
    for (const std::string& word : Words(text->Text().Chars()))
        EXPECT_LE(MeasureTextWidth(word.c_str(), int32_t(word.size()), font), width)
            << what << ": \"" << word << "\" is wider than the page";
    EXPECT_GT(text->PageCount(), 0) << what;
    for (int32_t i = 0; i < text->PageCount(); ++i) {
        const MarkupPage* page = text->Page(i);
        ASSERT_NE(page, nullptr);
        EXPECT_LE(page->WidestLine(), page->OuterWidth())
            << what << " page " << i + 1 << ": a line passes the edge";
        EXPECT_LE(page->OwnHeight(), page->OuterHeight()) << what << " page " << i + 1 << ": too tall";
        EXPECT_FALSE(page->Lines().empty()) << what << " page " << i + 1 << " is empty";
        // A page ends where a sentence or a list's head does, never where
        // the layout ran out of room in the middle of one.
        const std::string last = LastWords(*page);
        if (i + 1 < text->PageCount()) {
            EXPECT_TRUE(!last.empty() && std::string(".:!?").find(last.back()) != std::string::npos)
                << what << " page " << i + 1 << " breaks off: \"" << last << "\"";
        }
    }
}

// Runs the body on the layout tree of every screen size the data is built for,
// with that size's resources in place.
void ForEachShippedTree(const std::function<void(const Tree&)>& body)
{
    for (const SkinSizeEntry& size : ShippedSizes()) {
        ScreenSize screen(size);
        ASSERT_TRUE(screen.Ready()) << screen.Layout();
        SCOPED_TRACE(screen.Layout());
        Tree tree;
        ASSERT_TRUE(ReadTree(screen.Layout(), tree));
        body(tree);
    }
}

TEST(WindowHelpData, TheDataHasAScreenSizeWithATree)
{
    EXPECT_FALSE(ShippedSizes().empty());
}

TEST(WindowHelpData, EveryWindowAndIconButtonExplainsItselfWithKnownTexts)
{
    ForEachShippedTree([](const Tree& tree) {
        int windows = 0, buttons = 0;
        for (const Node& node : tree.nodes) {
            if (IsWindow(tree, node)) {
                ++windows;
                EXPECT_NE(tree.Child(node, "Help_"), nullptr) << node.path << " has no help";
            }
            if (IsBareScreen(node) && !ModeBands(tree, node).empty()) {
                for (const Node* band : ModeBands(tree, node))
                    EXPECT_NE(tree.Child(*band, "Help_"), nullptr) << band->path << " (a mode) has no help";
            }
            if (IsIconOnlyButton(tree, node)) {
                ++buttons;
                EXPECT_TRUE(tree.Child(node, "Hint_") || ExplainedByHelp(tree, node))
                    << node.path << " shows a picture that nothing explains";
            }
            if (node.name == "Help_") {
                EXPECT_TRUE(KnownText(tree.Text(node, 0))) << node.path << ": " << tree.Text(node, 0);
                EXPECT_TRUE(KnownKey(tree.Text(node, 1))) << node.path << ": " << tree.Text(node, 1);
            }
            if (node.name == "Hint_") {
                EXPECT_TRUE(KnownKey(tree.Text(node, 0))) << node.path << ": " << tree.Text(node, 0);
            }
        }
        // The walk found what the layouts hold, not nothing.
        EXPECT_GT(windows, 30);
        EXPECT_GT(buttons, 20);
    });
}

TEST(WindowHelpData, TheControlsAHelpPageNamesAreInItsWindow)
{
    ForEachShippedTree([](const Tree& tree) {
        std::set<std::vector<std::string>> labels;
        for (const Node& node : tree.nodes) {
            const std::vector<std::string> words = Compared(ShownWords(tree, node));
            if (!words.empty())
                labels.insert(words);
        }
        for (const auto& picture : kPictureWords)
            labels.insert(Compared(picture.first));
        int named = 0;
        for (const Node& node : tree.nodes) {
            const Node* help = tree.Child(node, "Help_");
            if (help == nullptr)
                continue;
            CHelpText text{CStr()};
            text.SetFromKeys(tree.Text(*help, 0).c_str(), "HelpNEMTitle");
            CStr title, body;
            SplitHelpText(text.Text(), title, body);
            std::set<std::vector<std::string>> shown;
            CollectShownWords(tree, node, shown);
            for (const std::vector<std::string>& label : NamedControls(body.Chars(), labels)) {
                ++named;
                std::string said;
                for (const std::string& word : label)
                    said += (said.empty() ? "" : " ") + word;
                EXPECT_TRUE(shown.count(label)) << tree.Text(*help, 0) << " names \"" << said << "\", which "
                                                << node.path << " does not show";
            }
        }
        // The pages name their OK and Cancel buttons, and more.
        EXPECT_GT(named, 50);
    });
}

TEST(WindowHelpData, TheCreditsNameTheMakerOfEveryMission)
{
    ASSERT_TRUE(CResourceMgr::InitFromFolder(TestDataFolder().c_str()));
    Map::CSrenarionMgr::Init();
    RawResource raw;
    ASSERT_TRUE(CResourceMgr::LoadData("/Texts/credits", pack_format::kTextType, raw));
    const std::string credits = Plain(std::string(reinterpret_cast<const char*>(raw.data), raw.size));
    EXPECT_GT(Map::CSrenarionMgr::TotalMissions(), 0);
    for (int n = 0; n < Map::CSrenarionMgr::TotalMissions(); ++n) {
        int scenario = 0, mission = 0;
        ASSERT_TRUE(Map::CSrenarionMgr::MissionFromIndex(n, &scenario, &mission));
        if (!Map::CSrenarionMgr::HasAuthor(scenario, mission))
            continue;
        const std::string maker = Plain(Map::CSrenarionMgr::Author(scenario, mission).Chars());
        EXPECT_NE(credits.find(maker), std::string::npos)
            << Map::CSrenarionMgr::MissionPath(scenario, mission).Chars() << " is made by \"" << maker
            << "\", whom the credits do not name";
    }
    Map::CSrenarionMgr::Clear();
    CResourceMgr::Shutdown();
}

TEST(WindowHelpData, EveryHelpPageFitsTheHelpWindowAtEverySize)
{
    ForEachShippedTree([](const Tree& tree) {
        std::set<std::string> pages;
        for (const Node& node : tree.nodes)
            if (node.name == "Help_")
                pages.insert(tree.Text(node, 0));
        ASSERT_FALSE(pages.empty());

        CHelpWnd window(nullptr, CStr(("/" + std::string(kHelpWindow)).c_str()), true);
        for (const std::string& key : pages) {
            CHelpText help{CStr()};
            help.SetFromKeys(key.c_str(), "HelpNEMTitle");
            CStr title, body;
            EXPECT_TRUE(SplitHelpText(help.Text(), title, body)) << key << " has no title line";
            EXPECT_FALSE(title.IsEmpty()) << key;
            window.SetPage(help, false);
            ExpectPagesFit(window.TextWindow(), key);
            window.Reset(CStr(), false);
        }

        CTextScreenWnd howToPlay(CWindowMgr::Root(), CStr("/Main/IntroHelpWnd"));
        ExpectPagesFit(howToPlay.TextWindow(), "How to Play");
    });
}

}  // namespace
