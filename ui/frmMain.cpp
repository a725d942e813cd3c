#include "frmMain.hpp"
#include "image_box.hpp"
namespace quadrel {
frmMain::frmMain(QWidget *parent) : QWidget(parent)
{
    createControls();
    placeControls();
    connectControls();
    Form_Load();
}
frmMain::~frmMain() = default;
void frmMain::createControls() {}
void frmMain::placeControls() {}
short frmMain::Lang2Index(const QString &) const { return -1; }
void frmMain::imgLang_Click(short) {}
void frmMain::HighlightFlag(short, bool) {}
} // namespace quadrel
