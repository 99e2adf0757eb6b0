#pragma once

#include <QMainWindow>
#include <QString>
#include <memory>
#include <optional>

#include "sheet/calculation_sheet.h"
#include "ui/window_dialogs.h"

class QAction;
class QMenu;
class QTextDocument;

namespace linecalc::ui {

class Form1;
class HelpWindow;

// The calculator's main window: the unchanged Form1 as its client area, with the menu bar
// above it. The window is exactly as large as Form1 plus the menu bar.
//
// Menus: "Файл" and "Справка". Another part of the program adds its own menu with
// addMenuBefore(helpMenu(), "&Объект") and fills it; the shortcuts Ctrl+N, Ctrl+O, Ctrl+S,
// Ctrl+L and Ctrl+D are left free for it.
class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(QWidget* parent = nullptr);

  Form1& form() { return *form_; }

  // The menu of the bar titled `title`, with or without its "&" ("Файл", "&Файл"); nullptr
  // when there is none.
  QMenu* menu(const QString& title) const;
  QMenu* helpMenu() const { return helpMenu_; }
  // A new menu titled `title` placed in front of `before` (at the end when it is nullptr).
  QMenu* addMenuBefore(QMenu* before, const QString& title);

  // Replaces the dialogs and message boxes the window opens (for tests); the messages of Form1
  // follow `dialogs.message` too.
  void setDialogs(WindowDialogs dialogs);

  // The sheet of what the window shows now: the calculations on view with the inputs they were
  // computed from, and the reference values on view.
  sheet::SheetContent currentSheet() const;

 private:
  void createActions();
  void createMenus();
  void printSheet();
  void saveSheetPdf();
  void showAbout();
  void showGuide();
  std::optional<sheet::SheetContent> askSheet();

  Form1* form_;
  WindowDialogs dialogs_;
  SheetRequest request_;  // as last given
  // The line the name in request_ was given for.
  std::optional<LineCalculation> namedLine_;
  QAction* printAction_ = nullptr;
  QAction* pdfAction_ = nullptr;
  QAction* quitAction_ = nullptr;
  QAction* aboutAction_ = nullptr;
  QAction* guideAction_ = nullptr;
  HelpWindow* guide_ = nullptr;
  QMenu* helpMenu_ = nullptr;
};

}  // namespace linecalc::ui
