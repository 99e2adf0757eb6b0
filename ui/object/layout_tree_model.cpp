#include "ui/object/layout_tree_model.h"

#include "ui/qt_text.h"

namespace linecalc::ui {
namespace {

using Kind = LayoutTreeModel::Kind;

// Where an item of the tree is in the layout.
struct Place {
  Kind kind;
  StretchList* list;  // a stretch: the list it is in; a branch: the branch itself
  Stretch* stretch;   // a stretch: itself; a group or a branch: the stretch it hangs at
  std::size_t index;  // in the list, the stretch's groups or its branches
};

std::optional<Place> Locate(LineLayout& layout, const std::vector<int>& path) {
  StretchList* list = &layout.stretches;
  Stretch* stretch = nullptr;
  std::optional<Place> place;
  for (const int row : path) {
    const auto r = static_cast<std::size_t>(row);
    if (row < 0 || (list == nullptr && stretch == nullptr)) {
      return std::nullopt;
    }
    if (list != nullptr) {
      if (r >= list->size()) {
        return std::nullopt;
      }
      stretch = &(*list)[r];
      place = Place{Kind::Stretch, list, stretch, r};
      list = nullptr;
    } else if (r < stretch->speakers.size()) {
      place = Place{Kind::Group, nullptr, stretch, r};
      stretch = nullptr;
    } else {
      const std::size_t b = r - stretch->speakers.size();
      if (b >= stretch->branches.size()) {
        return std::nullopt;
      }
      list = &stretch->branches[b];
      place = Place{Kind::Branch, list, stretch, b};
      stretch = nullptr;
    }
  }
  return place;
}

std::vector<int> Parent(std::vector<int> path) {
  path.pop_back();
  return path;
}

// The stretch a command at `path` acts on: the stretch itself, or the one its item hangs at.
std::vector<int> StretchPathOf(LineLayout& layout, const std::vector<int>& path) {
  const std::optional<Place> place = Locate(layout, path);
  if (!place) {
    return layout.stretches.empty()
               ? std::vector<int>{}
               : std::vector<int>{static_cast<int>(layout.stretches.size()) - 1};
  }
  return place->kind == Kind::Stretch ? path : Parent(path);
}

Stretch NewStretch() {
  return {"10", "", {{"1", "6"}}, {}};
}

std::optional<LayoutEdit> Edit(LineLayout layout, std::vector<int> select, const char* what) {
  return LayoutEdit{std::move(layout), std::move(select), QString::fromUtf8(what)};
}

// Adds to the stretch a command at `path` acts on what `add` puts there (`add` returns the new
// item's row under that stretch) and selects it.
template <typename Add>
std::optional<LayoutEdit> AddToStretch(LineLayout layout, const std::vector<int>& path, Add add,
                                       const char* what) {
  std::vector<int> select = StretchPathOf(layout, path);
  const std::optional<Place> place = Locate(layout, select);
  if (!place) {
    return std::nullopt;
  }
  select.push_back(add(*place->stretch));
  return Edit(std::move(layout), std::move(select), what);
}

}  // namespace

LayoutTreeModel::LayoutTreeModel(QObject* parent) : QAbstractItemModel(parent) {}

void LayoutTreeModel::addNodes(const StretchList& list, int parent, const std::vector<int>& path) {
  for (std::size_t s = 0; s < list.size(); ++s) {
    std::vector<int> at = path;
    at.push_back(static_cast<int>(s));
    const int stretch = static_cast<int>(nodes_.size());
    nodes_.push_back({Kind::Stretch, parent, at, {}});
    (parent < 0 ? top_ : nodes_[static_cast<std::size_t>(parent)].children).push_back(stretch);
    int row = 0;
    for (std::size_t g = 0; g < list[s].speakers.size(); ++g, ++row) {
      std::vector<int> groupPath = at;
      groupPath.push_back(row);
      nodes_[static_cast<std::size_t>(stretch)].children.push_back(static_cast<int>(nodes_.size()));
      nodes_.push_back({Kind::Group, stretch, groupPath, {}});
    }
    for (const StretchList& branch : list[s].branches) {
      std::vector<int> branchPath = at;
      branchPath.push_back(row++);
      const int node = static_cast<int>(nodes_.size());
      nodes_[static_cast<std::size_t>(stretch)].children.push_back(node);
      nodes_.push_back({Kind::Branch, stretch, branchPath, {}});
      addNodes(branch, node, branchPath);
    }
  }
}

std::vector<int> LayoutTreeModel::shape() const {
  std::vector<int> shape;
  for (const Node& node : nodes_) {
    shape.push_back(static_cast<int>(node.kind));
    shape.push_back(node.parent);
    shape.push_back(static_cast<int>(node.children.size()));
  }
  return shape;
}

void LayoutTreeModel::setLayout(const LineLayout& layout) {
  const std::vector<int> before = shape();
  std::vector<Node> oldNodes = std::move(nodes_);
  std::vector<int> oldTop = std::move(top_);
  nodes_.clear();
  top_.clear();
  addNodes(layout.stretches, -1, {});
  if (shape() == before && top_ == oldTop) {
    layout_ = layout;
    for (std::size_t n = 0; n < nodes_.size(); ++n) {
      const int row = nodes_[n].path.back();
      emit dataChanged(createIndex(row, 0, static_cast<quintptr>(n)),
                       createIndex(row, ColumnCount - 1, static_cast<quintptr>(n)));
    }
    return;
  }
  // The views are told before the tree they know is gone.
  std::swap(nodes_, oldNodes);
  std::swap(top_, oldTop);
  beginResetModel();
  nodes_ = std::move(oldNodes);
  top_ = std::move(oldTop);
  layout_ = layout;
  endResetModel();
}

const std::vector<int>& LayoutTreeModel::childrenOf(int node) const {
  return node < 0 ? top_ : nodes_[static_cast<std::size_t>(node)].children;
}

std::vector<int> LayoutTreeModel::pathOf(const QModelIndex& index) const {
  if (!index.isValid()) {
    return {};
  }
  return nodes_[static_cast<std::size_t>(index.internalId())].path;
}

QModelIndex LayoutTreeModel::indexOf(const std::vector<int>& path) const {
  QModelIndex at;
  for (const int row : path) {
    at = index(row, 0, at);
    if (!at.isValid()) {
      return {};
    }
  }
  return at;
}

std::optional<LayoutTreeModel::Kind> LayoutTreeModel::kindOf(const QModelIndex& index) const {
  if (!index.isValid()) {
    return std::nullopt;
  }
  return nodes_[static_cast<std::size_t>(index.internalId())].kind;
}

std::optional<LayoutEdit> LayoutTreeModel::addStretch(const QModelIndex& at) const {
  LineLayout layout = layout_;
  const std::vector<int> path = pathOf(at);
  const std::optional<Place> place = Locate(layout, path);
  if (!place) {
    const Stretch model = layout.stretches.empty() ? NewStretch() : layout.stretches.back();
    layout.stretches.push_back({model.length, "", model.speakers, {}});
    return Edit(std::move(layout), {static_cast<int>(layout.stretches.size()) - 1},
                "добавление участка");
  }
  if (place->kind == Kind::Branch) {
    place->list->push_back(NewStretch());
    std::vector<int> select = path;
    select.push_back(static_cast<int>(place->list->size()) - 1);
    return Edit(std::move(layout), std::move(select), "добавление участка");
  }
  std::vector<int> select = place->kind == Kind::Stretch ? path : Parent(path);
  const std::optional<Place> stretch = Locate(layout, select);
  const Stretch& model = *stretch->stretch;
  stretch->list->insert(stretch->list->begin() + static_cast<std::ptrdiff_t>(stretch->index) + 1,
                        Stretch{model.length, "", model.speakers, {}});
  ++select.back();
  return Edit(std::move(layout), std::move(select), "добавление участка");
}

std::optional<LayoutEdit> LayoutTreeModel::addBranch(const QModelIndex& at) const {
  return AddToStretch(
      layout_, pathOf(at),
      [](Stretch& stretch) {
        stretch.branches.push_back({NewStretch()});
        return static_cast<int>(stretch.speakers.size() + stretch.branches.size()) - 1;
      },
      "добавление ответвления");
}

std::optional<LayoutEdit> LayoutTreeModel::addSpeakers(const QModelIndex& at) const {
  return AddToStretch(
      layout_, pathOf(at),
      [](Stretch& stretch) {
        const SpeakerGroup group =
            stretch.speakers.empty() ? SpeakerGroup{"1", "6"} : stretch.speakers.back();
        stretch.speakers.push_back(group);
        return static_cast<int>(stretch.speakers.size()) - 1;
      },
      "добавление громкоговорителей");
}

std::optional<LayoutEdit> LayoutTreeModel::remove(const QModelIndex& at) const {
  LineLayout layout = layout_;
  std::vector<int> select = pathOf(at);
  const std::optional<Place> place = Locate(layout, select);
  if (!place) {
    return std::nullopt;
  }
  const char* what = "удаление участка";
  const auto index = static_cast<std::ptrdiff_t>(place->index);
  if (place->kind == Kind::Stretch) {
    place->list->erase(place->list->begin() + index);
  } else if (place->kind == Kind::Group) {
    place->stretch->speakers.erase(place->stretch->speakers.begin() + index);
    what = "удаление громкоговорителей";
  } else {
    place->stretch->branches.erase(place->stretch->branches.begin() + index);
    what = "удаление ответвления";
  }
  while (!select.empty() && !Locate(layout, select)) {
    if (select.back() > 0) {
      --select.back();
    } else {
      select.pop_back();
    }
  }
  return Edit(std::move(layout), std::move(select), what);
}

std::optional<LayoutEdit> LayoutTreeModel::withText(const QModelIndex& index,
                                                    const QString& text) const {
  LineLayout layout = layout_;
  const std::vector<int> path = pathOf(index);
  const std::optional<Place> place = Locate(layout, path);
  if (!place) {
    return std::nullopt;
  }
  std::string* target = nullptr;
  const char* what = nullptr;
  if (place->kind == Kind::Stretch && index.column() == Length) {
    target = &place->stretch->length;
    what = "изменение длины участка";
  } else if (place->kind == Kind::Stretch && index.column() == Repeat) {
    target = &place->stretch->repeat;
    what = "изменение числа повторов участка";
  } else if (place->kind == Kind::Group && index.column() == Count) {
    target = &place->stretch->speakers[place->index].count;
    what = "изменение количества громкоговорителей";
  } else if (place->kind == Kind::Group && index.column() == Power) {
    target = &place->stretch->speakers[place->index].power;
    what = "изменение мощности отвода";
  } else {
    return std::nullopt;
  }
  *target = text.toStdString();
  return Edit(std::move(layout), path, what);
}

QModelIndex LayoutTreeModel::index(int row, int column, const QModelIndex& parent) const {
  if (column < 0 || column >= ColumnCount || row < 0) {
    return {};
  }
  const std::vector<int>& children =
      childrenOf(parent.isValid() ? static_cast<int>(parent.internalId()) : -1);
  if (static_cast<std::size_t>(row) >= children.size()) {
    return {};
  }
  return createIndex(row, column, static_cast<quintptr>(children[static_cast<std::size_t>(row)]));
}

QModelIndex LayoutTreeModel::parent(const QModelIndex& child) const {
  if (!child.isValid()) {
    return {};
  }
  const int parent = nodes_[static_cast<std::size_t>(child.internalId())].parent;
  if (parent < 0) {
    return {};
  }
  return createIndex(nodes_[static_cast<std::size_t>(parent)].path.back(), 0,
                     static_cast<quintptr>(parent));
}

int LayoutTreeModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid() && parent.column() != 0) {
    return 0;
  }
  return static_cast<int>(
      childrenOf(parent.isValid() ? static_cast<int>(parent.internalId()) : -1).size());
}

int LayoutTreeModel::columnCount(const QModelIndex&) const {
  return ColumnCount;
}

QString LayoutTreeModel::text(const Node& node, int column) const {
  const std::optional<Place> place = Locate(const_cast<LineLayout&>(layout_), node.path);
  if (!place) {
    return {};
  }
  const int number = static_cast<int>(place->index) + 1;
  switch (node.kind) {
    case Kind::Stretch:
      return column == Item     ? QStringLiteral("Участок %1").arg(number)
             : column == Length ? ToQString(place->stretch->length)
             : column == Repeat ? ToQString(place->stretch->repeat)
                                : QString();
    case Kind::Group: {
      const SpeakerGroup& group = place->stretch->speakers[place->index];
      return column == Item    ? QStringLiteral("Громкоговорители")
             : column == Count ? ToQString(group.count)
             : column == Power ? ToQString(group.power)
                               : QString();
    }
    case Kind::Branch:
      return column == Item ? QStringLiteral("Ответвление %1").arg(number) : QString();
  }
  return {};
}

QVariant LayoutTreeModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) {
    return {};
  }
  return text(nodes_[static_cast<std::size_t>(index.internalId())], index.column());
}

QVariant LayoutTreeModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
    return {};
  }
  switch (section) {
    case Item:
      return QStringLiteral("Элемент схемы");
    case Length:
      return QStringLiteral("Длина, м");
    case Repeat:
      return QStringLiteral("Повторов");
    case Count:
      return QStringLiteral("Кол-во, шт.");
    case Power:
      return QStringLiteral("Отвод, Вт");
    default:
      return {};
  }
}

Qt::ItemFlags LayoutTreeModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags flags = QAbstractItemModel::flags(index);
  const std::optional<Kind> kind = kindOf(index);
  if (kind && ((*kind == Kind::Stretch && (index.column() == Length || index.column() == Repeat)) ||
               (*kind == Kind::Group && (index.column() == Count || index.column() == Power)))) {
    flags |= Qt::ItemIsEditable;
  }
  return flags;
}

bool LayoutTreeModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole) {
    return false;
  }
  std::optional<LayoutEdit> edit = withText(index, value.toString());
  if (!edit) {
    return false;
  }
  if (edit->layout != layout_) {
    emit editRequested(*edit);
  }
  return true;
}

}  // namespace linecalc::ui
