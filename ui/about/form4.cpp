// The About window's handlers.
#include "ui/about/form4.h"

#include "platform/platform.h"
#include "ui/main/program.h"

namespace {

constexpr forms::Color kVisitedLink = 0x800080;  // purple
constexpr int kSwShowNormal = 1;

}  // namespace

Form4::Form4(Program& program) : forms::Form(program.app(), kForm4Design) {}

void Form4::BindEvents() {
  Command3().Click = [this] { Command3_Click(); };
  Label8().Click = [this] { Label8_Click(); };
  Label9().Click = [this] { Label9_Click(); };
}

void Form4::Command3_Click() { Unload(); }

void Form4::Label8_Click() {
  OpenLink(std::string("http://") + kHomepageHost);
  Label8().SetForeColor(kVisitedLink);
}

void Form4::Label9_Click() {
  OpenLink(std::string("mailto:") + kEmailAddress);
  Label9().SetForeColor(kVisitedLink);
}

void Form4::OpenLink(const std::string& address) {
  platform::ShellExecuteA(hWnd(), "Open", address.c_str(), "", "",
                          kSwShowNormal);
}
