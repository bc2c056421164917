// Property sheets and dialogs built from templates, on real widgets: the page
// protocol (a refusing OnKillActive keeps the page for a click, the keyboard
// and SetActivePage; the first-time flag of OnSetActive), data exchange both
// ways, the sorted combo box, a run that survives hiding, EndDialog, the
// buttons, and controls placed from dialog units with their styles.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcutEvent>
#include <QTabBar>
#include <QWheelEvent>

#include "ScriptedDesktop.h"
#include "TestResources.h"
#include "WindowHandle.h"
#include "afxwin.h"

using namespace test_resources;
using platform::testing::WhenIdle;

namespace {

QWidget* WidgetOf(const CWnd& wnd) {
    return platform::win::WidgetFromHandle(wnd.m_hWnd);
}
QWidget* ItemOf(const CWnd& wnd, int id) {
    return platform::win::WidgetFromHandle(::GetDlgItem(wnd.m_hWnd, id));
}

class TestPage : public CPropertyPage {
public:
    explicit TestPage(UINT id) : CPropertyPage(id) {}
    bool refuse = false;
    int inits = 0, setActives = 0, killActives = 0, resets = 0;
    std::vector<BOOL> firstFlags;
    BOOL OnInitDialog() override {
        ++inits;
        return CPropertyPage::OnInitDialog();
    }
    BOOL OnSetActive() override {
        ++setActives;
        firstFlags.push_back(m_bFirstSetActive);
        return CPropertyPage::OnSetActive();
    }
    BOOL OnKillActive() override {
        ++killActives;
        return refuse ? FALSE : CPropertyPage::OnKillActive();
    }
    void OnReset() override {
        ++resets;
        CPropertyPage::OnReset();
    }
};

class LoginPage : public TestPage {
public:
    LoginPage() : TestPage(kLoginPage) {}
    CComboBox combo;
    CString user = "admin";
    CString password;
    void DoDataExchange(CDataExchange* pDX) override {
        TestPage::DoDataExchange(pDX);
        DDX_Control(pDX, kCombo, combo);
        DDX_Text(pDX, kPassword, password);
        DDX_Text(pDX, kUserId, user);
    }
    BOOL OnInitDialog() override {
        TestPage::OnInitDialog();
        for (const char* entry : {"talveron_demo (Demo)", "TALVERON (Suite)", "Alpha (Other)"})
            combo.AddString(entry);
        return TRUE;
    }
};

// A sheet like the program's: OK only hides it, F1 asks for help.
class HelpSheet : public CPropertySheet {
public:
    using CPropertySheet::CPropertySheet;
    int helps = 0;

protected:
    afx_msg BOOL OnHelpInfo(HELPINFO*) {
        ++helps;
        return TRUE;
    }
    afx_msg void OnMinimize() { ShowWindow(SW_HIDE); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(HelpSheet, CPropertySheet)
ON_COMMAND(IDOK, OnMinimize)
ON_WM_HELPINFO()
END_MESSAGE_MAP()

class SheetTest : public ::testing::Test {
protected:
    void SetUp() override {
        Register();
        sheet.AddPage(&login);
        sheet.AddPage(&second);
        sheet.AddPage(&third);
    }
    QTabBar* Tabs() { return WidgetOf(sheet)->findChild<QTabBar*>(); }
    void Click(int tab) {
        QTabBar* bar = Tabs();
        QPoint at = bar->tabRect(tab).center();
        QMouseEvent press(QEvent::MouseButtonPress, at, bar->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(bar, &press);
    }
    void Key(int key) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(Tabs(), &press);
    }

    platform::testing::ScriptedDesktop desktop;
    HelpSheet sheet{"Quill*Marsh Database Manager"};
    LoginPage login;
    TestPage second{kSecondPage};
    TestPage third{kThirdPage};
};

TEST_F(SheetTest, ARefusingPageStaysForAClickTheKeyboardAndSetActivePage) {
    WhenIdle([&] {
        EXPECT_EQ(sheet.GetActiveIndex(), 0);
        EXPECT_EQ(Tabs()->count(), 3);
        EXPECT_EQ(Tabs()->tabText(2), "&Compact / Repair");
        login.refuse = true;
        Click(1);
        Key(Qt::Key_Right);
        EXPECT_FALSE(sheet.SetActivePage(2));
        EXPECT_EQ(login.killActives, 3);
        EXPECT_EQ(sheet.GetActiveIndex(), 0);
        EXPECT_EQ(Tabs()->currentIndex(), 0);
        EXPECT_EQ(second.inits, 0);

        login.refuse = false;
        Click(1);
        EXPECT_EQ(sheet.GetActiveIndex(), 1);
        EXPECT_EQ(Tabs()->currentIndex(), 1);
        Key(Qt::Key_Right);
        EXPECT_EQ(sheet.GetActiveIndex(), 2);
        EXPECT_FALSE(sheet.SetActivePage(4));  // no such page: nothing changes
        EXPECT_EQ(sheet.GetActiveIndex(), 2);
        EXPECT_TRUE(WidgetOf(third)->isVisible());
        EXPECT_FALSE(WidgetOf(second)->isVisible());
        sheet.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(sheet.m_hWnd, nullptr);
}

TEST_F(SheetTest, DataExchangeBothWaysAndTheFirstTimeFlag) {
    WhenIdle([&] {
        auto* userEdit = qobject_cast<QLineEdit*>(ItemOf(login, kUserId));
        ASSERT_NE(userEdit, nullptr);
        EXPECT_EQ(userEdit->text(), "admin");  // OnInitDialog wrote the members
        userEdit->setText("bob");
        qobject_cast<QLineEdit*>(ItemOf(login, kPassword))->setText("s3cret");
        EXPECT_TRUE(sheet.SetActivePage(1));
        EXPECT_EQ(login.user, "bob");  // OnKillActive read the controls
        EXPECT_EQ(login.password, "s3cret");
        login.user = "carol";
        EXPECT_TRUE(sheet.SetActivePage(0));
        EXPECT_EQ(userEdit->text(), "carol");  // the second OnSetActive wrote them back
        sheet.EndDialog(0);
    });
    EXPECT_EQ(sheet.DoModal(), 0);
    EXPECT_EQ(login.firstFlags, (std::vector<BOOL>{TRUE, FALSE}));
    EXPECT_EQ(second.firstFlags, (std::vector<BOOL>{TRUE}));
    EXPECT_EQ(login.resets, 1);  // EndDialog tells the created pages of the cancel
    EXPECT_EQ(second.resets, 1);
    EXPECT_EQ(third.resets, 0);
}

TEST_F(SheetTest, SortedComboBoxWithoutSelection) {
    WhenIdle([&] {
        CComboBox& combo = login.combo;
        ASSERT_EQ(combo.GetCount(), 3);
        CString line;
        combo.GetLBText(0, line);
        EXPECT_EQ(line, "Alpha (Other)");
        combo.GetLBText(1, line);
        EXPECT_EQ(line, "TALVERON (Suite)");
        combo.GetLBText(2, line);
        EXPECT_EQ(line, "talveron_demo (Demo)");
        EXPECT_EQ(combo.GetCurSel(), CB_ERR);
        EXPECT_EQ(combo.SetCurSel(1), 1);
        EXPECT_EQ(combo.GetCurSel(), 1);
        EXPECT_EQ(combo.SetCurSel(-1), CB_ERR);
        EXPECT_EQ(combo.GetCurSel(), CB_ERR);
        EXPECT_EQ(qobject_cast<QComboBox*>(ItemOf(login, kCombo))->currentText(), "");
        combo.ResetContent();
        EXPECT_EQ(combo.GetCount(), 0);
        sheet.EndDialog(0);
    });
    sheet.DoModal();
}

TEST_F(SheetTest, TheRunSurvivesHidingAndTheButtonsEndIt) {
    WhenIdle([&] {
        auto* ok = qobject_cast<QPushButton*>(ItemOf(sheet, IDOK));
        auto* cancel = qobject_cast<QPushButton*>(ItemOf(sheet, IDCANCEL));
        ASSERT_NE(ok, nullptr);
        ASSERT_NE(cancel, nullptr);
        EXPECT_TRUE(ok->icon().isNull());
        EXPECT_TRUE(cancel->icon().isNull());
        EXPECT_EQ(::GetDlgItem(sheet.m_hWnd, IDHELP), nullptr);
        sheet.GetDlgItem(IDCANCEL)->SetWindowText("Exit");
        EXPECT_EQ(cancel->text(), "Exit");
        LONG style = ::GetWindowLongA(sheet.m_hWnd, GWL_STYLE);
        ::SetWindowLongA(sheet.m_hWnd, GWL_STYLE, style & ~static_cast<LONG>(WS_SYSMENU));
        EXPECT_FALSE(WidgetOf(sheet)->windowFlags() & Qt::WindowCloseButtonHint);
        EXPECT_TRUE(sheet.IsWindowVisible());

        sheet.ShowWindow(SW_HIDE);
        WhenIdle([&, cancel] {
            EXPECT_NE(sheet.m_hWnd, nullptr);  // still running, hidden
            EXPECT_FALSE(sheet.IsWindowVisible());
            EXPECT_TRUE(sheet.SetActivePage(1));  // pages change while hidden
            EXPECT_FALSE(sheet.IsWindowVisible());
            sheet.ShowWindow(SW_SHOW);
            EXPECT_TRUE(sheet.IsWindowVisible());
            EXPECT_EQ(sheet.GetActiveIndex(), 1);
            cancel->click();
        });
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(login.resets, 1);
    EXPECT_EQ(second.resets, 1);
}

TEST_F(SheetTest, WheelAndMnemonicsAskAndF1AndOkReachTheSheetsMap) {
    WhenIdle([&] {
        login.refuse = true;
        QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(Tabs(), &wheel);
        QShortcutEvent mnemonic(QKeySequence(Qt::ALT | Qt::Key_C), 0);
        QApplication::sendEvent(Tabs(), &mnemonic);
        EXPECT_EQ(login.killActives, 2);
        EXPECT_EQ(sheet.GetActiveIndex(), 0);
        login.refuse = false;
        QApplication::sendEvent(Tabs(), &mnemonic);
        EXPECT_EQ(sheet.GetActiveIndex(), 2);

        QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
        QApplication::sendEvent(ItemOf(third, kButton), &f1);
        EXPECT_EQ(sheet.helps, 1);  // control -> page -> sheet

        qobject_cast<QPushButton*>(ItemOf(sheet, IDOK))->click();
        EXPECT_FALSE(sheet.IsWindowVisible());
        EXPECT_NE(sheet.m_hWnd, nullptr);
        sheet.EndDialog(0);
    });
    EXPECT_EQ(sheet.DoModal(), 0);
}

TEST(PlainSheet, OkAsksTheActivePageFirst) {
    Register();
    platform::testing::ScriptedDesktop desktop;
    CPropertySheet sheet("Sheet");
    TestPage login(kLoginPage);
    sheet.AddPage(&login);
    WhenIdle([&] {
        login.refuse = true;
        qobject_cast<QPushButton*>(ItemOf(sheet, IDOK))->click();
        EXPECT_NE(sheet.m_hWnd, nullptr);
        login.refuse = false;
        qobject_cast<QPushButton*>(ItemOf(sheet, IDOK))->click();
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(login.resets, 0);
}

TEST_F(SheetTest, ControlsArePlacedFromDialogUnitsWithTheirStyles) {
    WhenIdle([&] {
        QFont font("MS Sans Serif", 8);
        QFontMetrics fm(font);
        int baseX =
            (fm.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") / 26 +
             1) /
            2;
        int baseY = fm.height();
        auto px = [&](int v) { return (v * baseX + 2) / 4; };
        auto py = [&](int v) { return (v * baseY + 4) / 8; };

        QWidget* password = ItemOf(login, kPassword);
        EXPECT_EQ(password->geometry(), QRect(px(164), py(37), px(65), py(15)));
        EXPECT_EQ(qobject_cast<QLineEdit*>(password)->echoMode(), QLineEdit::Password);
        EXPECT_EQ(qobject_cast<QLineEdit*>(ItemOf(login, kUserId))->echoMode(), QLineEdit::Normal);
        auto* combo = qobject_cast<QComboBox*>(ItemOf(login, kCombo));
        EXPECT_FALSE(combo->isEditable());  // a drop-down list
        EXPECT_EQ(combo->pos(), QPoint(px(7), py(7)));
        EXPECT_EQ(combo->width(), px(228));
        auto* group = qobject_cast<QGroupBox*>(ItemOf(login, kGroup));
        ASSERT_NE(group, nullptr);
        EXPECT_EQ(group->title(), "Login Information");
        EXPECT_EQ(WidgetOf(login)->size(), QSize(px(242), py(66)));

        EXPECT_TRUE(sheet.SetActivePage(2));
        EXPECT_FALSE(ItemOf(third, kButton)->isEnabled());
        auto* status = qobject_cast<QLabel*>(ItemOf(third, kStatus));
        ASSERT_NE(status, nullptr);
        EXPECT_EQ(status->frameShadow(), QFrame::Sunken);
        sheet.EndDialog(0);
    });
    sheet.DoModal();
}

TEST(DialogTest, ModalDialogFromATemplateEndsWithItsButton) {
    Register();
    platform::testing::ScriptedDesktop desktop;
    CDialog about(kAboutBox);
    WhenIdle([&] {
        ASSERT_NE(about.m_hWnd, nullptr);
        CString caption;
        about.GetWindowText(caption);
        EXPECT_EQ(caption, "About TESTAPP");
        EXPECT_TRUE(about.IsWindowVisible());
        EXPECT_TRUE(qobject_cast<QPushButton*>(ItemOf(about, IDOK))->isDefault());
        qobject_cast<QPushButton*>(ItemOf(about, IDOK))->click();
    });
    EXPECT_EQ(about.DoModal(), IDOK);
    EXPECT_EQ(about.m_hWnd, nullptr);
    CDialog missing(4242);
    EXPECT_EQ(missing.DoModal(), -1);
}

}  // namespace
