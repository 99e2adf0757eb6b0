#include "ui/help_window.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QHBoxLayout>
#include <QScrollBar>
#include <QSplitter>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTreeWidget>

// The guide lives in a static library, whose resources the linker keeps only when asked for by
// name; outside any namespace, as Q_INIT_RESOURCE requires.
static void LoadGuideResource() {
  Q_INIT_RESOURCE(guide);
}

namespace linecalc::ui {
namespace {

const QString kGuideFile = QStringLiteral(":/guide/guide.md");
constexpr int kBlockPosition = Qt::UserRole;

QString GuideText() {
  LoadGuideResource();
  QFile file(kGuideFile);
  if (!file.open(QIODevice::ReadOnly)) {
    // Only a build without its resource gets here; say so rather than show an empty page.
    return QStringLiteral("Руководство не найдено в программе.");
  }
  return QString::fromUtf8(file.readAll());
}

}  // namespace

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), contents_(new QTreeWidget), text_(new QTextBrowser) {
  setObjectName(QStringLiteral("HelpWindow"));
  setWindowTitle(QStringLiteral("Руководство пользователя"));
  contents_->setObjectName(QStringLiteral("guideContents"));
  contents_->setAccessibleName(QStringLiteral("Содержание"));
  contents_->setHeaderHidden(true);
  text_->setObjectName(QStringLiteral("guideText"));
  text_->setAccessibleName(QStringLiteral("Текст руководства"));
  text_->setOpenExternalLinks(true);
  text_->setMarkdown(GuideText());

  auto* splitter = new QSplitter;
  splitter->addWidget(contents_);
  splitter->addWidget(text_);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({300, 660});
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(splitter);
  resize(960, 680);

  fillContents();
  // The list starts on its first heading with the text at its very top, the guide's title and
  // opening paragraphs in view; choices from then on move the text.
  contents_->setCurrentItem(contents_->topLevelItem(0));
  connect(contents_, &QTreeWidget::currentItemChanged, this,
          [this](const QTreeWidgetItem* item) { showHeading(item); });
}

void HelpWindow::fillContents() {
  QTreeWidgetItem* section = nullptr;
  for (QTextBlock block = text_->document()->begin(); block.isValid(); block = block.next()) {
    const int level = block.blockFormat().headingLevel();
    if (level == 1) {
      setWindowTitle(block.text());
    } else if (level == 2 || (level == 3 && section == nullptr)) {
      section = new QTreeWidgetItem(contents_, {block.text()});
      section->setData(0, kBlockPosition, block.position());
    } else if (level == 3) {
      auto* item = new QTreeWidgetItem(section, {block.text()});
      item->setData(0, kBlockPosition, block.position());
    }
  }
  contents_->expandAll();
}

void HelpWindow::showHeading(const QTreeWidgetItem* item) {
  if (item == nullptr) {
    return;
  }
  const QTextBlock block = text_->document()->findBlock(item->data(0, kBlockPosition).toInt());
  // The caret follows, so that a screen reader and the keyboard go on from the heading.
  text_->setTextCursor(QTextCursor(block));
  const QRectF box = text_->document()->documentLayout()->blockBoundingRect(block);
  text_->verticalScrollBar()->setValue(qRound(box.top()));
}

}  // namespace linecalc::ui
