// The real program, started and ended the way a user does, seen from outside.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include "Harness.h"
#include "MenuDescription.h"
#include "ProgramContract.h"
#include "app/SingleInstance.h"

using namespace e2e;

namespace {

const std::vector<std::string> kShutdownKeys = {"Top",
                                                "Left",
                                                "Width",
                                                "Height",
                                                "Maximized",
                                                "CurrWinColumnsOrder",
                                                "RegWinColumnsOrder",
                                                "RegistWindows",
                                                "NormalIconHide",
                                                "TaskbarHide"};

RECT WindowRect(HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    return r;
}

bool OnScreen(HWND w) {
    return IsWindowVisible(w) && !IsIconic(w);
}

// A settings file with the window's rectangle and further entries.
std::string GeometryFile(int left, int top, int width, int height, const std::string& more = "") {
    auto entry = [](const char* key, const std::string& value) {
        return "    <add key=\"" + std::string(key) + "\" value=\"" + value + "\"/>\r\n";
    };
    return "<?xml version=\"1.0\" encoding=\"Shift-JIS\"?>\r\n<configuration>\r\n  <appSettings>\r\n" +
           entry("Left", std::to_string(left)) + entry("Top", std::to_string(top)) +
           entry("Width", std::to_string(width)) + entry("Height", std::to_string(height)) + more +
           "  </appSettings>\r\n</configuration>\r\n";
}

}  // namespace

TEST(MainWindow, FirstStartOpensAtDefaultsAndWritesTheTenKeys) {
    ProgramFolder folder;
    {
        Program p(folder);
        HWND main = p.MainWindow();
        ASSERT_NE(main, nullptr);
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; }));
        RECT r = WindowRect(main);
        EXPECT_EQ(r.left, 200);
        EXPECT_EQ(r.top, 200);
        EXPECT_EQ(r.right - r.left, 440);
        EXPECT_EQ(r.bottom - r.top, 278);
        EXPECT_FALSE(folder.SettingsExist()) << "nothing is written before exit";
        ASSERT_EQ(p.Close(), 0);
    }
    EXPECT_EQ(folder.ReadSettings(),
              "<?xml version=\"1.0\" encoding=\"Shift-JIS\"?>\r\n"
              "<configuration>\r\n"
              "  <appSettings>\r\n"
              "    <add key=\"Top\" value=\"200\"/>\r\n"
              "    <add key=\"Left\" value=\"200\"/>\r\n"
              "    <add key=\"Width\" value=\"440\"/>\r\n"
              "    <add key=\"Height\" value=\"278\"/>\r\n"
              "    <add key=\"Maximized\" value=\"0\"/>\r\n"
              "    <add key=\"CurrWinColumnsOrder\" value=\"0=200,1=200\"/>\r\n"
              "    <add key=\"RegWinColumnsOrder\" value=\"0=205,1=50,2=85,3=75\"/>\r\n"
              "    <add key=\"RegistWindows\" value=\"\"/>\r\n"
              "    <add key=\"NormalIconHide\" value=\"0\"/>\r\n"
              "    <add key=\"TaskbarHide\" value=\"0\"/>\r\n"
              "  </appSettings>\r\n"
              "</configuration>\r\n");
}

TEST(MainWindow, ShowWindowOffSurvivesARestart) {
    ProgramFolder folder;
    {
        Program p(folder);
        ASSERT_NE(p.MainWindow(), nullptr);
        p.Command(ID_NShowWin);
        ASSERT_EQ(p.Close(), 0);
    }
    std::string first = folder.ReadSettings();
    std::vector<std::string> keys = Keys(first);
    ASSERT_FALSE(keys.empty());
    EXPECT_EQ(keys.front(), "ShowWindow");
    EXPECT_EQ(Value(first, "ShowWindow"), "0");
    {
        Program p(folder);
        HWND main = p.MainWindow();
        ASSERT_NE(main, nullptr);
        // Start-up is over once the program takes messages from its queue.
        ASSERT_TRUE(p.HandledEverythingPosted());
        EXPECT_FALSE(IsWindowVisible(main));
        // The item's check came back from the file: toggling it now turns it on.
        p.Command(ID_NShowWin);
        ASSERT_EQ(p.Close(), 0);
    }
    EXPECT_EQ(Value(folder.ReadSettings(), "ShowWindow"), "-1");
}

TEST(MainWindow, StoredGeometryIsReadAndWrittenBack) {
    struct Case {
        int left, top, width, height;
    };
    // Left and top differ, and so do width and height, so that no swap passes.
    // The stored values are screen coordinates: where the window's frame is.
    const Case cases[] = {{130, 170, 520, 310}, {-40, 90, 300, 460}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.left) + "," + std::to_string(c.top));
        ProgramFolder folder;
        folder.WriteSettings(GeometryFile(c.left, c.top, c.width, c.height));
        {
            Program p(folder);
            HWND main = p.MainWindow();
            ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; }));
            RECT r = WindowRect(main);
            EXPECT_EQ(r.left, c.left);
            EXPECT_EQ(r.top, c.top);
            EXPECT_EQ(r.right - r.left, c.width);
            EXPECT_EQ(r.bottom - r.top, c.height);
            ASSERT_EQ(p.Close(), 0);
        }
        std::string xml = folder.ReadSettings();
        EXPECT_EQ(Value(xml, "Left"), std::to_string(c.left));
        EXPECT_EQ(Value(xml, "Top"), std::to_string(c.top));
        EXPECT_EQ(Value(xml, "Width"), std::to_string(c.width));
        EXPECT_EQ(Value(xml, "Height"), std::to_string(c.height));
    }
}

TEST(MainWindow, MaximisedWindowIsStoredWithItsRestoredRectangle) {
    ProgramFolder folder;
    folder.WriteSettings(GeometryFile(130, 170, 520, 310));
    {
        Program p(folder);
        HWND main = p.MainWindow();
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; }));
        ShowWindow(main, SW_MAXIMIZE);
        ASSERT_TRUE(WaitUntil([&] { return IsZoomed(main) != FALSE; }));
        p.Command(ID_NExit);
        ASSERT_EQ(p.WaitForExit(), 0);
    }
    std::string xml = folder.ReadSettings();
    EXPECT_EQ(Value(xml, "Maximized"), "-1");
    EXPECT_EQ(Value(xml, "Left"), "130");
    EXPECT_EQ(Value(xml, "Top"), "170");
    EXPECT_EQ(Value(xml, "Width"), "520");
    EXPECT_EQ(Value(xml, "Height"), "310");
    {
        Program p(folder);
        HWND main = p.MainWindow();
        EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(main) && IsZoomed(main); }));
        // Restored from there, it takes the stored rectangle.
        ShowWindow(main, SW_RESTORE);
        ASSERT_TRUE(WaitUntil([&] { return !IsZoomed(main); }));
        RECT r = WindowRect(main);
        EXPECT_EQ(r.left, 130);
        EXPECT_EQ(r.top, 170);
        EXPECT_EQ(r.right - r.left, 520);
        EXPECT_EQ(r.bottom - r.top, 310);
        ASSERT_EQ(p.Close(), 0);
    }
    EXPECT_EQ(Value(folder.ReadSettings(), "Maximized"), "0");
}

TEST(MainWindow, SecondStartExitsAndBringsTheHiddenWindowForward) {
    ProgramFolder folder;
    folder.WriteSettings(
        "<?xml version=\"1.0\" encoding=\"Shift-JIS\"?>\r\n<configuration>\r\n  <appSettings>\r\n"
        "    <add key=\"ShowWindow\" value=\"0\"/>\r\n  </appSettings>\r\n</configuration>\r\n");
    Program p(folder);
    HWND main = p.MainWindow();
    ASSERT_NE(main, nullptr);
    HWND icon = p.IconWindow();
    ASSERT_TRUE(WaitUntil([&] { return OwnIconShown(icon); }));
    // Start-up is over once the program takes messages from its queue.
    ASSERT_TRUE(p.HandledEverythingPosted());
    ASSERT_FALSE(IsWindowVisible(main));
    // Not shown at start-up, then sent into the tray from the screen; a second
    // start's command line is not looked at, so the switch changes nothing.
    for (const char* args : {"", "/hideicon", ""}) {
        SCOPED_TRACE(args);
        ForegroundWatch foreground;
        EXPECT_EQ(RunToEnd(folder.Exe(), args), 0);
        EXPECT_TRUE(WaitUntil([&] { return OnScreen(main); }));
        EXPECT_TRUE(foreground.Became(main));
        // The running instance answers by showing its main window only: its icon stays.
        EXPECT_TRUE(OwnIconShown(icon));
        PostMessageW(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(main); }));
    }
    EXPECT_EQ(p.Close(), 0);
}

TEST(MainWindow, SecondStartSignalsEveryMarkedWindowOnly) {
    // This process plays the running instance. Its mutex is open to the second
    // start, or closed to it (an empty access list), as the mutex of an
    // instance run as administrator is to a start without.
    for (bool closed : {false, true}) {
        SCOPED_TRACE(closed ? "mutex closed to the second start" : "mutex open to it");
        // Two windows of this process carry the property: both get one request;
        // a window with another value gets none.
        auto make = [](UINT_PTR value) {
            HWND w = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
            SetPropA(w, InstanceGuid, reinterpret_cast<HANDLE>(value));
            return w;
        };
        HWND marked[2] = {make(InstanceMark), make(InstanceMark)};
        HWND other = make(InstanceMark + 1);
        SECURITY_DESCRIPTOR sd;
        ASSERT_TRUE(InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION));
        ACL empty;
        ASSERT_TRUE(InitializeAcl(&empty, sizeof empty, ACL_REVISION));
        ASSERT_TRUE(SetSecurityDescriptorDacl(&sd, TRUE, &empty, FALSE));
        SECURITY_ATTRIBUTES sa{sizeof sa, &sd, FALSE};
        HANDLE mutex = CreateMutexA(closed ? &sa : nullptr, TRUE, InstanceGuid);
        ProgramFolder folder;
        EXPECT_EQ(RunToEnd(folder.Exe(), ""), 0);
        for (HWND w : marked) {
            MSG msg;
            EXPECT_TRUE(PeekMessageW(&msg, w, WM_SHOWINSTANCE, WM_SHOWINSTANCE, PM_REMOVE));
            EXPECT_FALSE(PeekMessageW(&msg, w, WM_SHOWINSTANCE, WM_SHOWINSTANCE, PM_REMOVE)) << "only one";
        }
        MSG msg;
        EXPECT_FALSE(PeekMessageW(&msg, other, WM_SHOWINSTANCE, WM_SHOWINSTANCE, PM_REMOVE));
        EXPECT_FALSE(folder.SettingsExist()) << "a second start reads and writes nothing";
        CloseHandle(mutex);
        for (HWND w : {marked[0], marked[1], other}) DestroyWindow(w);
    }
}

TEST(MainWindow, SettingsLiveBesideAnExecutableInAJapaneseFolder) {
    if (GetACP() != 932) GTEST_SKIP() << "needs the Japanese code page";
    // The second byte of these characters is 0x5C, the backslash.
    ProgramFolder folder("-\x95\x5C\x83\x5C");
    {
        Program p(folder);
        ASSERT_NE(p.MainWindow(), nullptr);
        ASSERT_EQ(p.Close(), 0);
    }
    EXPECT_TRUE(folder.SettingsExist());
    EXPECT_EQ(Value(folder.ReadSettings(), "Width"), "440");
}

namespace {

// A top-level window of any process whose title contains the text.
HWND FindWindowWithTitle(const std::wstring& part) {
    struct Search {
        const std::wstring* part;
        HWND found;
    } s{&part, nullptr};
    EnumWindows(
        [](HWND w, LPARAM p) WINAPI -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            wchar_t title[256] = L"";
            GetWindowTextW(w, title, 256);
            if (IsWindowVisible(w) && std::wstring(title).find(*s->part) != std::wstring::npos) {
                s->found = w;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&s));
    return s.found;
}

}  // namespace

TEST(MainWindow, AboutOpensModallyAndOkClosesIt) {
    ProgramFolder folder;
    Program p(folder);
    HWND main = p.MainWindow();
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; }));
    p.Command(ID_N3);
    HWND about = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (about = FindWindowWithTitle(L"Pelmoraについて")) != nullptr; }));
    EXPECT_EQ(GetWindow(about, GW_OWNER), main);
    EXPECT_FALSE(IsWindowEnabled(main)) << "modal";
    PostMessageW(about, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }));
    EXPECT_TRUE(IsWindowEnabled(main));
    EXPECT_EQ(p.Close(), 0);
}

TEST(MainWindow, HelpOpensTheReadMeBesideTheExecutable) {
    ProgramFolder folder;
    Program p(folder);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(p.MainWindow()) != FALSE; }));
    p.Command(ID_NViewHelp);
    // The shell opens the text in the system's editor, titled by the file's name.
    HWND viewer = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (viewer = FindWindowWithTitle(L"ReadMe.txt")) != nullptr; }, 20000));
    PostMessageW(viewer, WM_CLOSE, 0, 0);
    EXPECT_EQ(p.Close(), 0);
}

TEST(MainWindow, ColumnOrderTextComesBackAsTheListsShowIt) {
    struct Case {
        const char* stored;
        const char* written;
    };
    // CurrWinColumnsOrder: the list has two columns.
    const Case cases[] = {
        {"1=150,0=200", "1=150,0=200"},  {"0=120,1=80", "0=120,1=80"},
        {"1,0", "1=200,0=200"},           // no widths: the designed ones stay
        {"0=90,0=90", "0=90,1=90"},       // not an order: the designed order stays
        {"1=50,0=60,1=70", "1=50,0=60"},  // entries beyond the columns are ignored
        {"x=abc,1=77", "0=200,1=77"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        ProgramFolder folder;
        folder.WriteSettings(
            std::string("<configuration><appSettings><add key=\"CurrWinColumnsOrder\" value=\"") + c.stored +
            "\"/></appSettings></configuration>");
        Program p(folder);
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(p.MainWindow()) != FALSE; }));
        ASSERT_EQ(p.Close(), 0);
        EXPECT_EQ(Value(folder.ReadSettings(), "CurrWinColumnsOrder"), c.written);
    }
}

TEST(MainWindow, AltAndALetterOpensThatMenuOfTheToolBar) {
    ProgramFolder folder;
    Program p(folder);
    HWND main = p.MainWindow();
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; }));
    PostMessageW(main, WM_SYSCOMMAND, SC_KEYMENU, 'v');
    HWND menu = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        menu = FindWindowW(L"#32768", nullptr);
        return menu && IsWindowVisible(menu);
    }));
    // The first item of "表示(&V)" is "起動時にウインドウを表示": choose it.
    PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(menu); }));
    ASSERT_EQ(p.Close(), 0);
    EXPECT_EQ(Value(folder.ReadSettings(), "ShowWindow"), "0");
}

TEST(MainWindow, TruthValuesAreReadInEveryFormAndWrittenAsMinusOneOrZero) {
    struct Case {
        const char* stored;
        const char* written;
    };
    const Case cases[] = {{"True", "-1"}, {"fALSE", "0"}, {"2", "-1"}, {"0", "0"}, {"-1", "-1"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        ProgramFolder folder;
        folder.WriteSettings(
            std::string("<configuration><appSettings>") + "<add key=\"NormalIconHide\" value=\"" + c.stored +
            "\"/><add key=\"TaskbarHide\" value=\"" + c.stored + "\"/></appSettings></configuration>");
        Program p(folder);
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(p.MainWindow()) != FALSE; }));
        ASSERT_EQ(p.Close(), 0);
        std::string xml = folder.ReadSettings();
        EXPECT_EQ(Value(xml, "NormalIconHide"), c.written);
        EXPECT_EQ(Value(xml, "TaskbarHide"), c.written);
    }
}

TEST(MainWindow, FailedSaveAtExitShowsTheErrorBoxThenEnds) {
    ProgramFolder folder;
    Program p(folder);
    HWND main = p.MainWindow();
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; }));
    // A folder now stands where the settings file is to be written.
    ASSERT_TRUE(CreateDirectoryA(folder.SettingsFile().c_str(), nullptr));
    PostMessageW(main, WM_CLOSE, 0, 0);
    HWND box = p.WaitForMessageBox();
    ASSERT_NE(box, nullptr) << "no error box";
    EXPECT_EQ(Program::MessageBoxText(box), "Cannot open file " + folder.SettingsFile() + ".");
    wchar_t caption[64] = L"";
    GetWindowTextW(box, caption, 64);
    EXPECT_STREQ(caption, identity::kAppTitle);
    EXPECT_EQ(p.WaitForExit(500), -1) << "the program waits for the box";
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(p.WaitForExit(), 0);
    EXPECT_TRUE(RemoveDirectoryA(folder.SettingsFile().c_str())) << "the folder was left as it was";
}
