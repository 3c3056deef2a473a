// The About window: its frame and texts, the two links handed to the shell
// (a recording stand-in answers for the browser and the mail program) and
// turning purple, and the ways it opens, closes and does not close, by
// keys too.
#include "tests/e2e/scenarios.h"
#include "ui/about/form4.h"

namespace e2e {
namespace {

constexpr COLORREF kLinkBlue = RGB(0, 0, 255);
constexpr COLORREF kVisited = RGB(128, 0, 128);

// The links are Label8 (homepage) and Label9 (email).
struct About {
  HWND window = nullptr, homepage = nullptr, email = nullptr, ok = nullptr;
};

// Opens About by a click on "About", or by this key with the focus on it.
bool OpenAbout(const RunningProgram& program, const MainWindow& main,
               About& about, UINT key = 0) {
  if (!key)
    PostClick(main.about);
  else
    EXPECT_TRUE(PressByKey(main.window, main.about, key));
  about.window = WaitForWindowTitled(program.pid(), kAboutTitle);
  if (!EXPECTED(about.window, "\"About\" opens \"About Movarin\""))
    return false;
  about.homepage = FindChild(about.window, "", kHomepageHost);
  about.email = FindChild(about.window, "", kEmailAddress);
  about.ok = FindChild(about.window, "Button", "OK !");
  return EXPECTED(about.homepage && about.email && about.ok,
                  "links and \"OK !\" found");
}

// What the screen shows of a link.
bool IsBlue(HWND link) {
  return CaptureScreen(ScreenRect(link)).ShowsOnly(kLinkBlue, kVisited);
}
bool IsPurple(HWND link) {
  return CaptureScreen(ScreenRect(link)).ShowsOnly(kVisited, kLinkBlue);
}

void CheckDesign(const About& a, const MainWindow& main) {
  SetStep("About design");
  // A minimise button and a close box; a fixed border, no maximise button.
  CheckFrame(a.window, WS_MINIMIZEBOX | WS_SYSMENU,
             WS_MAXIMIZEBOX | WS_THICKFRAME, 0, 4275, 2370);
  for (const char* text : {"Movarin", "Version 0.3", "Contact : Brannoch -",
                           "Quillbrook Homepage :"}) {
    EXPECT_TRUE(FindChild(a.window, "", text))
        << "text " + ::testing::PrintToString(text);
  }
  EXPECT_TRUE(!IsWindowEnabled(main.window))
      << "the main window takes no input while About is shown";
}

}  // namespace

TEST_F(Scenario, About) {
  SetStep("start");
  CleanDriverKeys();
  Recording recording;
  ProtocolStandIn http("http", options.recorder);
  ProtocolStandIn mailto("mailto", options.recorder);
  EXPECT_TRUE(http.installed() && mailto.installed())
      << "browser and mail program replaced by the stand-in";
  RunningProgram program;
  MainWindow main;
  if (!StartMain(program, options, main)) return;
  About a;
  if (!OpenAbout(program, main, a)) return;
  CheckDesign(a, main);
  std::string host = TextOf(a.homepage);
  std::string address = TextOf(a.email);

  SetStep("both links start blue");
  EXPECT_TRUE(WaitUntil([&] { return IsBlue(a.homepage) && IsBlue(a.email); }))
      << "both links blue";
  TakePicture(a.window, "about");

  SetStep("homepage link, twice");
  PostClickAlong(a.homepage, 0.5);
  EXPECT_TRUE(WaitUntil([&] { return IsPurple(a.homepage); }))
      << "the homepage link turns purple";
  EXPECT_TRUE(IsBlue(a.email)) << "the e-mail link stays blue";
  if (EXPECTED(recording.WaitFor(1), "the shell opens the homepage")) {
    std::string line = recording.Read()[0].commandLine;
    EXPECT_TRUE(line.find("\"http://" + host) != std::string::npos)
        << "with \"http://\" + the host shown: " +
               ::testing::PrintToString(line);
  }
  PostClickAlong(a.homepage, 0.5);
  EXPECT_TRUE(recording.WaitFor(2)) << "a second click opens it again";
  EXPECT_TRUE(IsPurple(a.homepage)) << "and the link stays purple";

  SetStep("e-mail link");
  PostClickAlong(a.email, 0.5);
  EXPECT_TRUE(WaitUntil([&] { return IsPurple(a.email); }))
      << "the e-mail link turns purple";
  TakePicture(a.window, "about-visited");
  if (EXPECTED(recording.WaitFor(3), "the shell opens the address")) {
    std::string line = recording.Read()[2].commandLine;
    EXPECT_TRUE(line.find("\"mailto:" + address) != std::string::npos)
        << "with \"mailto:\" + the address shown: " +
               ::testing::PrintToString(line);
  }

  SetStep("Esc does not close About");
  HWND focus = FocusOf(a.window);
  PostKey(focus ? focus : a.window, VK_ESCAPE);
  Pause(700);
  EXPECT_TRUE(IsWindow(a.window) && IsWindowVisible(a.window))
      << "About is still shown after Esc";
  PostClick(a.ok);
  EXPECT_TRUE(WaitGone(a.window)) << "\"OK !\" unloads About";

  SetStep("Space and Enter press the focused \"About\" and \"OK !\"");
  const struct {
    UINT open, close;
    const char* what;
  } keys[] = {{VK_SPACE, VK_RETURN, "Space opens, Enter closes"},
              {VK_RETURN, VK_SPACE, "Enter opens, Space closes"}};
  for (const auto& k : keys) {
    if (!OpenAbout(program, main, a, k.open)) break;
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(a.window) == a.ok; }, 2000))
        << "\"OK !\" has the focus";
    PostKey(a.ok, k.close);
    EXPECT_TRUE(WaitGone(a.window)) << k.what;
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(main.window) == main.about; }))
        << "the focus is back on \"About\"";
  }
  EXPECT_TRUE(Alive(program, main)) << "the program goes on";
  CloseMain(program, main);
}

}  // namespace e2e
