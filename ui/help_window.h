#pragma once

#include <QWidget>

class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;

namespace linecalc::ui {

// The user's guide, compiled into the program: its text beside a contents list of its headings
// (sections and their subsections); choosing a heading brings it to the top of the text. The
// guide's own title heading is the window's title.
class HelpWindow : public QWidget {
 public:
  explicit HelpWindow(QWidget* parent = nullptr);

 private:
  void fillContents();
  void showHeading(const QTreeWidgetItem* item);

  QTreeWidget* contents_;
  QTextBrowser* text_;
};

}  // namespace linecalc::ui
