#pragma once

#include <QMainWindow>
#include <QString>
#include <optional>

#include "object/line_object.h"
#include "ui/object/file_stamp.h"
#include "ui/object/object_dialogs.h"

class QAction;
class QComboBox;
class QLineEdit;
class QMenu;
class QTableView;
class QUndoStack;

namespace linecalc::ui {

class AmplifierTableModel;
class ColumnLayout;
class LineTableModel;

// The window of an object: its title and loss limit above a table of its lines, each computed
// as the calculator computes it. It follows the usual document cycle: new, open, save, save as,
// the recent files, and a question before unsaved changes are lost. A line the user opens in
// the calculator is handed on by openInCalculator(), for whoever holds the calculator.
class ObjectWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit ObjectWindow(QWidget* parent = nullptr);
  ~ObjectWindow() override;

  // The object's file commands, for another window's menu to offer.
  struct FileActions {
    QAction* newObject;
    QAction* open;
    QAction* save;
    QAction* saveAs;
    QAction* xlsx;
  };
  FileActions fileActions() const;

  // Replaces the dialogs the window opens (for tests).
  void setDialogs(ObjectDialogs dialogs) { dialogs_ = std::move(dialogs); }

  LineTableModel& model() { return *model_; }
  QTableView& table() { return *table_; }
  AmplifierTableModel& amplifierModel() { return *amplifierModel_; }
  QTableView& amplifierTable() { return *amplifierTable_; }
  QUndoStack& undoStack() { return *undo_; }
  const QString& filePath() const { return path_; }

  // Opens `path` in place of the object on view, which the caller has asked about (maybeSave);
  // false when it was not opened, and the object on view stays as it was.
  bool openFile(const QString& path);
  // Saves to the file on view, or asks for one; false when not saved.
  bool save();
  bool saveAs();
  // Asks whether to save unsaved changes: true when the caller may go on (saved or discarded).
  bool maybeSave();
  // Appends a line of `inputs`, named by the user; false when the user cancelled.
  bool addCalculation(const LineInputs& inputs);
  // Asks for line `row` in the calculator (openInCalculator), or says why the calculator cannot
  // take it.
  void loadIntoCalculator(int row);
  // Gives the selected lines their smallest sufficient section, saying in the status bar what
  // was done.
  void applyMinSection();
  // Opens the layout editor of the current line, when it is a layout.
  void editLayout();
  // Turns the current uniform line into the equivalent layout, as one undo step.
  void convertToLayout();
  ColumnLayout& columns() { return *columns_; }
  // Writes the printed object to `path`: false when cancelled or failed (after saying why).
  bool savePdf(const QString& path);

 signals:
  // The user asked for a line in the calculator; its R20, if typed, fits the calculator's field.
  void openInCalculator(const LineInputs& inputs);

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void createActions();
  void createRowActions();
  void createMenus();
  void createFields();
  QWidget* createLimitRow();
  void createTable();
  QWidget* createAmplifierPanel();
  void createAmplifierActions();
  void commitReserve();
  void addAmplifier();
  void deleteAmplifier();
  void updateAmplifierActions();
  void connectModel();
  void newObject();
  void open();
  void openRecent();
  void updateRecentActions();
  void setCurrentFile(const QString& path);
  void setObject(object::LineObject object, const QString& path);
  bool writeTo(const QString& path);
  bool mayOverwrite();
  void commitFields();
  void printObject();
  void saveObjectPdf();
  void exportXlsx();
  int currentRow() const;
  void addRow();
  void duplicateRow();
  void deleteRow();
  void moveRow(int step);
  void selectRow(int row);
  void moveDown();
  QList<int> selectedRows() const;
  void updateRowActions();
  QString documentName() const;
  void createLayoutActions();
  void updateLayoutActions();

  ObjectDialogs dialogs_;
  QString path_;
  FileStamp onDisk_;  // the file at path_ as last opened or saved here
  LineTableModel* model_;
  QUndoStack* undo_;
  QTableView* table_;
  QLineEdit* title_;
  QLineEdit* limit_;
  QComboBox* minSection_;
  AmplifierTableModel* amplifierModel_;
  QTableView* amplifierTable_;
  QLineEdit* reserve_;
  ColumnLayout* columns_ = nullptr;
  struct Actions {
    QAction* newObject;
    QAction* open;
    QAction* save;
    QAction* saveAs;
    QAction* print;
    QAction* pdf;
    QAction* xlsx;
    QAction* close;
    QAction* undo;
    QAction* redo;
    QAction* add;
    QAction* duplicate;
    QAction* remove;
    QAction* up;
    QAction* down;
    QAction* load;
    QAction* applyMinSection;
    QAction* editLayout;
    QAction* convertToLayout;
    QAction* addAmplifier;
    QAction* removeAmplifier;
    QList<QAction*> recent;
  } actions_{};
  QMenu* recentMenu_ = nullptr;
};

}  // namespace linecalc::ui
