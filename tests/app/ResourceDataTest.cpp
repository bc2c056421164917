// The program's resource tables: IDs, exact texts, menu and toolbar layout,
// dialog templates, and the embedded image files' formats.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "TarnexResources.h"
#include "platform/win/WinStyles.h"
#include "resource.h"

namespace {

using namespace platform::res;

const ResourceModule& Res() {
    return TarnexResources();
}

const char* FindString(unsigned id) {
    for (const auto& s : Res().strings)
        if (s.id == id) return s.text;
    return nullptr;
}

const MenuTemplate* FindMenu(unsigned id) {
    for (const auto& m : Res().menus)
        if (m.id == id) return &m;
    return nullptr;
}

const DialogTemplate* FindDialog(unsigned id) {
    for (const auto& d : Res().dialogs)
        if (d.id == id) return &d;
    return nullptr;
}

const Image* FindImage(unsigned id, ImageKind kind) {
    for (const auto& i : Res().images)
        if (i.id == id && i.kind == kind) return &i;
    return nullptr;
}

TEST(ResourceData, StringTableHoldsTheExactTexts) {
    struct Case {
        unsigned id;
        const char* text;
    };
    const Case cases[] = {
        {2, "Quill*Marsh Database Manager - running."},
        {128, "Database Manager V12"},
        {129, "\nTARNEX\nTARNEX\n\n\nTARNEX.Document\nTARNEX Document"},
        {130, "Quill*Marsh Database Manager - Not Logged In."},
        {32771, "Hide the Database Manager "},
        {57344, "TARNEX"},
        {57345, "Ready"},
    };
    EXPECT_EQ(Res().strings.size(), std::size(cases));
    for (const auto& c : cases) {
        const char* text = FindString(c.id);
        ASSERT_NE(text, nullptr) << c.id;
        EXPECT_STREQ(text, c.text) << c.id;
    }
    // The notification-area tooltips fit the 127 characters of the tip field.
    EXPECT_EQ(std::strlen(FindString(IDS_RUNNING)), 39u);
    EXPECT_EQ(std::strlen(FindString(IDS_NOTLOGGEDIN)), 45u);
    EXPECT_EQ(FindString(IDI_TRAY), nullptr);
}

std::vector<std::string> Texts(const std::vector<MenuItem>& items) {
    std::vector<std::string> out;
    for (const auto& i : items) out.push_back(i.text ? i.text : "-");
    return out;
}

TEST(ResourceData, TrayMenuHasOnePopupWithOpenPageSubmenu) {
    const MenuTemplate* tray = FindMenu(IDR_TRAYMENU);
    ASSERT_NE(tray, nullptr);
    ASSERT_EQ(tray->items.size(), 1u);
    const MenuItem& popup = tray->items[0];
    EXPECT_STREQ(popup.text, "TRAY MENU");
    EXPECT_TRUE(popup.flags & MF_POPUP);
    ASSERT_EQ(popup.children.size(), 4u);
    EXPECT_EQ(Texts(popup.children),
              (std::vector<std::string>{"Open", "Exit", "Hide", "Open Page"}));
    EXPECT_EQ(popup.children[0].id, 32775u);
    EXPECT_EQ(popup.children[1].id, 32774u);
    EXPECT_EQ(popup.children[2].id, 32771u);
    const MenuItem& pages = popup.children[3];
    EXPECT_TRUE(pages.flags & MF_POPUP);
    EXPECT_EQ(Texts(pages.children),
              (std::vector<std::string>{"Login", "Passwords", "Compact / Repair", "Backup",
                                        "Permissions"}));
    for (unsigned k = 0; k < 5; ++k) {
        EXPECT_EQ(pages.children[k].id, 32776u + k);
        EXPECT_EQ(pages.children[k].flags & (MF_GRAYED | MF_CHECKED | MF_DEFAULT), 0u);
    }
}

TEST(ResourceData, FrameMenusFollowTheDocumentState) {
    const MenuTemplate* frame = FindMenu(IDR_MAINFRAME);
    const MenuTemplate* doc = FindMenu(IDR_TARNEXTYPE);
    ASSERT_NE(frame, nullptr);
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(Texts(frame->items), (std::vector<std::string>{"&File", "&View", "&Help"}));
    EXPECT_EQ(Texts(doc->items),
              (std::vector<std::string>{"&File", "&Edit", "&View", "&Window", "&Help"}));
    EXPECT_EQ(Texts(frame->items[0].children),
              (std::vector<std::string>{"&New\tCtrl+N", "&Open...\tCtrl+O", "-", "P&rint Setup...",
                                        "-", "Recent File", "-", "E&xit"}));
    const MenuItem& recent = frame->items[0].children[5];
    EXPECT_EQ(recent.id, 57616u);
    EXPECT_TRUE(recent.flags & MF_GRAYED);
    EXPECT_EQ(
        Texts(doc->items[0].children),
        (std::vector<std::string>{"&New\tCtrl+N", "&Open...\tCtrl+O", "&Close", "&Save\tCtrl+S",
                                  "Save &As...", "-", "&Print...\tCtrl+P", "Print Pre&view",
                                  "P&rint Setup...", "-", "Recent File", "-", "E&xit"}));
    EXPECT_EQ(doc->items[4].children.at(0).id, 57664u);
    EXPECT_STREQ(doc->items[4].children.at(0).text, "&About TARNEX...");
}

TEST(ResourceData, AcceleratorsAndToolbar) {
    ASSERT_EQ(Res().accelerators.size(), 1u);
    const auto& acc = Res().accelerators[0];
    EXPECT_EQ(acc.id, 128u);
    ASSERT_EQ(acc.entries.size(), 14u);
    for (const auto& a : acc.entries) EXPECT_TRUE(a.fVirt & FVIRTKEY);
    auto has = [&](std::uint8_t mods, std::uint16_t key, std::uint16_t cmd) {
        return std::any_of(acc.entries.begin(), acc.entries.end(), [&](const Accelerator& a) {
            return a.fVirt == (FVIRTKEY | mods) && a.key == key && a.cmd == cmd;
        });
    };
    EXPECT_TRUE(has(FCONTROL, 'N', 57600));
    EXPECT_TRUE(has(FALT, VK_BACK, 57643));
    EXPECT_TRUE(has(FSHIFT, VK_DELETE, 57635));
    EXPECT_TRUE(has(0, VK_F6, 57680));
    EXPECT_TRUE(has(FSHIFT, VK_F6, 57681));

    ASSERT_EQ(Res().toolbars.size(), 1u);
    const auto& tb = Res().toolbars[0];
    EXPECT_EQ(tb.id, 128u);
    EXPECT_EQ(tb.buttonWidth, 16);
    EXPECT_EQ(tb.buttonHeight, 15);
    EXPECT_EQ(tb.commands, (std::vector<unsigned>{57600, 57601, 57603, 0, 57635, 57634, 57637, 0,
                                                  57607, 0, 57664}));
}

TEST(ResourceData, PageTemplatesHaveTheirCaptionsSizesAndControls) {
    struct Case {
        unsigned id;
        const char* caption;
        int cx, cy;
        std::vector<int> ids;
    };
    const Case cases[] = {
        {113, "Login", 242, 66, {1002, 10382, 10381, -1, -1, -1}},
        {114, "Change Password", 235, 81, {10383, 10385, 10386, 1, -1, -1, -1}},
        {109, "&Compact / Repair", 242, 70, {1007, 1008}},
        {102, "Make &Backup", 242, 61, {1009, -1, 1010, 1011}},
    };
    for (const auto& c : cases) {
        const DialogTemplate* d = FindDialog(c.id);
        ASSERT_NE(d, nullptr) << c.id;
        EXPECT_STREQ(d->caption, c.caption);
        EXPECT_EQ(d->cx, c.cx);
        EXPECT_EQ(d->cy, c.cy);
        EXPECT_STREQ(d->fontName, "MS Sans Serif");
        EXPECT_EQ(d->pointSize, 8);
        EXPECT_EQ(d->style, WS_CHILD | WS_DISABLED | WS_CAPTION | DS_SETFONT) << c.id;
        std::vector<int> ids;
        for (const auto& item : d->items) ids.push_back(item.id);
        EXPECT_EQ(ids, c.ids) << c.id;
    }
}

TEST(ResourceData, ControlStylesThatChangeBehaviour) {
    auto item = [](unsigned dlg, std::size_t index) { return FindDialog(dlg)->items.at(index); };
    const DialogItem combo = item(113, 0);
    EXPECT_EQ(combo.style & CBS_DROPDOWNLIST, CBS_DROPDOWNLIST);
    EXPECT_TRUE(combo.style & CBS_SORT);
    EXPECT_EQ(combo.cy, 130);                        // the drop-down list's height
    EXPECT_FALSE(item(113, 1).style & ES_PASSWORD);  // user ID
    EXPECT_TRUE(item(113, 2).style & ES_PASSWORD);   // password
    for (std::size_t i = 0; i < 3; ++i) EXPECT_TRUE(item(114, i).style & ES_PASSWORD);
    EXPECT_EQ(item(114, 3).style & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_STREQ(item(114, 3).text, "Change Password");
    EXPECT_EQ(item(113, 3).style & BS_TYPEMASK, BS_GROUPBOX);
    EXPECT_STREQ(item(113, 3).text, "Login Information");
    EXPECT_EQ(item(113, 4).style & SS_TYPEMASK, SS_RIGHT);
    EXPECT_TRUE(item(109, 1).style & SS_SUNKEN);
    EXPECT_STREQ(item(109, 0).text, "Compact / Repair");
    EXPECT_STREQ(item(102, 1).text, "Choose backup file name");
    EXPECT_STREQ(item(102, 2).text, "...");
    EXPECT_STREQ(item(102, 3).text, "Create Backup");

    const DialogTemplate* about = FindDialog(IDD_ABOUTBOX);
    ASSERT_NE(about, nullptr);
    EXPECT_STREQ(about->caption, "About TARNEX");
    EXPECT_EQ(about->cx, 235);
    EXPECT_EQ(about->cy, 55);
    EXPECT_TRUE(about->style & DS_MODALFRAME);
    EXPECT_TRUE(about->style & WS_SYSMENU);
    ASSERT_EQ(about->items.size(), 3u);
    EXPECT_EQ(about->items[0].style & SS_TYPEMASK, SS_ICON);
    EXPECT_STREQ(about->items[1].text, "TARNEX");
    EXPECT_EQ(about->items[2].id, 1);
    EXPECT_EQ(about->items[2].style & BS_TYPEMASK, BS_DEFPUSHBUTTON);
}

std::uint16_t U16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}
std::uint32_t U32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0] | p[1] << 8 | p[2] << 16) |
           static_cast<std::uint32_t>(p[3]) << 24;
}

struct IconImage {
    int size;
    int bitCount;
};

// Reads an .ico directory and checks each entry's bitmap header agrees with it.
std::vector<IconImage> IconImages(const Image& image) {
    std::vector<IconImage> out;
    const unsigned char* p = image.data;
    if (image.size < 6 || U16(p) != 0 || U16(p + 2) != 1) return out;
    const int count = U16(p + 4);
    for (int i = 0; i < count; ++i) {
        const unsigned char* e = p + 6 + 16 * i;
        const std::uint32_t bytes = U32(e + 8);
        const std::uint32_t offset = U32(e + 12);
        if (offset + bytes > image.size) return {};
        const unsigned char* dib = p + offset;
        const int width = static_cast<int>(U32(dib + 4));
        const int height = static_cast<int>(U32(dib + 8));
        const int bits = U16(dib + 14);
        if (U32(dib) != 40 || width != (e[0] ? e[0] : 256) || height != 2 * width ||
            bits != U16(e + 6))
            return {};
        out.push_back({width, bits});
    }
    return out;
}

TEST(ResourceData, IconsHoldTheirSizesAndColourDepths) {
    struct Case {
        unsigned id;
        std::vector<std::pair<int, int>> images;  // size, bits per pixel
    };
    const Case cases[] = {
        {128, {{32, 4}, {16, 4}}},
        {129, {{32, 4}, {16, 4}}},
        {2, {{48, 8}, {32, 4}, {16, 4}}},
        {130, {{48, 8}, {32, 4}, {16, 4}}},
    };
    for (const auto& c : cases) {
        const Image* image = FindImage(c.id, ImageKind::Icon);
        ASSERT_NE(image, nullptr) << c.id;
        std::vector<std::pair<int, int>> got;
        for (const auto& i : IconImages(*image)) got.emplace_back(i.size, i.bitCount);
        EXPECT_EQ(got, c.images) << c.id;
    }
    // The two notification-area states must not look alike.
    const Image* running = FindImage(IDI_RUNNING, ImageKind::Icon);
    const Image* notLogged = FindImage(IDI_NOTLOGGEDIN, ImageKind::Icon);
    EXPECT_FALSE(running->size == notLogged->size &&
                 std::memcmp(running->data, notLogged->data, running->size) == 0);
}

TEST(ResourceData, ToolbarBitmapHoldsEightButtonsOf16By15) {
    const Image* bmp = FindImage(IDR_MAINFRAME, ImageKind::Bitmap);
    ASSERT_NE(bmp, nullptr);
    ASSERT_GT(bmp->size, 54u);
    const unsigned char* p = bmp->data;
    EXPECT_EQ(p[0], 'B');
    EXPECT_EQ(p[1], 'M');
    EXPECT_EQ(U32(p + 2), bmp->size);
    EXPECT_EQ(U32(p + 18), 8u * 16u);  // width
    EXPECT_EQ(U32(p + 22), 15u);       // height
    EXPECT_EQ(U16(p + 28), 4);         // 16 colours
}

}  // namespace
