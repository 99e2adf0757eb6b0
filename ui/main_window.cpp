#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QProxyStyle>

#include "sheet/calculation_sheet.h"
#include "ui/form1.h"
#include "ui/help_window.h"
#include "ui/make_action.h"
#include "ui/menu_shortcut_priority.h"

namespace linecalc::ui {
namespace {

QString WithoutMnemonic(QString text) {
  return text.remove(QLatin1Char('&'));
}

// QMenuBar asks the style for the icon of its overflow button as it is made, and reading that
// icon's file makes Qt load every image-format plugin it can find, a noticeable part of the
// window's start-up, for a button this bar never shows: its menus always fit the window's
// width. The application's style is wrapped once to hand out no icon for it.
class NoOverflowIconStyle : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;
  QIcon standardIcon(StandardPixmap icon, const QStyleOption* option,
                     const QWidget* widget) const override {
    if (icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton) {
      return {};
    }
    return QProxyStyle::standardIcon(icon, option, widget);
  }
};

void SkipOverflowIcon() {
  if (dynamic_cast<NoOverflowIconStyle*>(QApplication::style()) == nullptr) {
    QApplication::setStyle(new NoOverflowIconStyle(QApplication::style()->name()));
  }
}

const QString kAboutText = QStringLiteral(
    "<p><b>%1</b></p>"
    "<p>Программа рассчитывает потери в двухпроводных линиях систем звуковой трансляции: "
    "по материалу и сечению жил, длине линии, температуре и напряжению линии она находит "
    "сопротивление линии, допустимый и оптимальный ток и ожидаемую мощность, а для нагрузки в "
    "конце линии или для равномерно распределенных по линии громкоговорителей показывает "
    "напряжение и мощность, доходящие до нагрузки, и потери в процентах.</p>"
    "<p>Распространяется по лицензии MIT.</p>");

}  // namespace

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent), form_(nullptr), dialogs_(ModalWindowDialogs(this)) {
  // Before any control exists, so that none is polished twice.
  SkipOverflowIcon();
  form_ = new Form1(this);
  setObjectName(QStringLiteral("MainWindow"));
  setWindowTitle(form_->windowTitle());
  setWindowIcon(form_->windowIcon());
  setCentralWidget(form_);
  form_->setMessageSink([this](const QString& text) { dialogs_.message(text); });
  createActions();
  createMenus();
  new MenuShortcutPriority(this, menuBar());
  // Form1 keeps its fixed size; the window is that plus the menu bar, and no larger.
  layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void MainWindow::createActions() {
  printAction_ = MakeAction(this, QStringLiteral("actionPrint"), QStringLiteral("&Печать расчета…"),
                            StandardKeys(QKeySequence::Print, QKeySequence(Qt::CTRL | Qt::Key_P)),
                            QStringLiteral("Напечатать лист расчета"));
  connect(printAction_, &QAction::triggered, this, &MainWindow::printSheet);
  pdfAction_ = MakeAction(
      this, QStringLiteral("actionSavePdf"), QStringLiteral("&Сохранить расчет в PDF…"),
      {QKeySequence(Qt::CTRL | Qt::Key_E)}, QStringLiteral("Сохранить лист расчета в файл PDF"));
  connect(pdfAction_, &QAction::triggered, this, &MainWindow::saveSheetPdf);
  quitAction_ = MakeAction(this, QStringLiteral("actionQuit"), QStringLiteral("В&ыход"),
                           StandardKeys(QKeySequence::Quit, QKeySequence(Qt::CTRL | Qt::Key_Q)),
                           QStringLiteral("Закрыть программу"));
  connect(quitAction_, &QAction::triggered, this, &QWidget::close);
  aboutAction_ = MakeAction(this, QStringLiteral("actionAbout"), QStringLiteral("&О программе"), {},
                            QStringLiteral("Версия, лицензия и назначение программы"));
  connect(aboutAction_, &QAction::triggered, this, &MainWindow::showAbout);
  guideAction_ =
      MakeAction(this, QStringLiteral("actionGuide"), QStringLiteral("&Руководство"),
                 StandardKeys(QKeySequence::HelpContents),
                 QStringLiteral("Руководство пользователя: что и как считает программа"));
  connect(guideAction_, &QAction::triggered, this, &MainWindow::showGuide);
}

void MainWindow::createMenus() {
  menuBar()->setObjectName(QStringLiteral("menuBar"));
  menuBar()->setAccessibleName(QStringLiteral("Главное меню"));
  QMenu* file = addMenuBefore(nullptr, QStringLiteral("&Файл"));
  file->addAction(printAction_);
  file->addAction(pdfAction_);
  file->addSeparator();
  file->addAction(quitAction_);
  helpMenu_ = addMenuBefore(nullptr, QStringLiteral("&Справка"));
  helpMenu_->addAction(guideAction_);
  helpMenu_->addSeparator();
  helpMenu_->addAction(aboutAction_);
}

QMenu* MainWindow::menu(const QString& title) const {
  const QString wanted = WithoutMnemonic(title);
  for (QAction* entry : menuBar()->actions()) {
    if (entry->menu() != nullptr && WithoutMnemonic(entry->text()) == wanted) {
      return entry->menu();
    }
  }
  return nullptr;
}

QMenu* MainWindow::addMenuBefore(QMenu* before, const QString& title) {
  auto* added = new QMenu(title, menuBar());
  added->setObjectName(QStringLiteral("menu") + WithoutMnemonic(title));
  added->setAccessibleName(WithoutMnemonic(title));
  menuBar()->insertMenu(before != nullptr ? before->menuAction() : nullptr, added);
  return added;
}

void MainWindow::setDialogs(WindowDialogs dialogs) {
  dialogs_ = std::move(dialogs);
}

void MainWindow::showAbout() {
  dialogs_.about(kAboutText.arg(sheet::ProgramTitle().toHtmlEscaped()));
}

// One guide window for the program's life, made when first asked for and raised again after.
void MainWindow::showGuide() {
  if (guide_ == nullptr) {
    guide_ = new HelpWindow(this);
  }
  guide_->show();
  guide_->raise();
  guide_->activateWindow();
}

}  // namespace linecalc::ui
