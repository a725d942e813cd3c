#include "frmMain.hpp"
#include <QKeyEvent>
namespace quadrel {
void frmMain::connectControls() {}
void frmMain::Form_Load() { imgLang_Click(0); }
bool frmMain::eventFilter(QObject *watched, QEvent *event) { return QWidget::eventFilter(watched, event); }
bool frmMain::txtDati_KeyPress(int, QKeyEvent *) { return false; }
void frmMain::txtDati_Change(int) {}
void frmMain::txtDati_GotFocus(int) {}
void frmMain::txtDati_LostFocus(int) {}
bool frmMain::txtRatio_KeyPress(QKeyEvent *) { return false; }
void frmMain::txtRatio_Change() {}
void frmMain::txtRatio_LostFocus() {}
void frmMain::cmdDefaultRatio_Click() {}
void frmMain::cmdClose_Click() {}
void frmMain::Recalc(int) {}
QWidget *frmMain::activeControl() const { return nullptr; }
LockChoices frmMain::lockChoices() const { return {}; }
} // namespace quadrel
