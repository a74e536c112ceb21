// The bindings of the list kinds: combo boxes (a drop-down list, editable or not) and grids
// (a table of rows, one of them current).
#include <QAbstractItemView>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStringList>
#include <QTableWidget>
#include <algorithm>
#include <vector>

#include "gui/bindings_p.h"

namespace gui::detail {

using forms::Event;

namespace {

class ComboBoxBinding : public Binding {
 public:
  ComboBoxBinding(FormView& v, forms::ComboBox& c) : Binding(v, c), combo_(c) {
    auto* w = new QComboBox(&v);
    w->setInsertPolicy(QComboBox::NoInsert);
    w->setMaxVisibleItems(12);
    widget_ = w;
    q_ = w;
    addInput(w);
    QObject::connect(w, &QComboBox::activated, w, [this](int i) {
      const QString t = q_->itemText(i);
      combo_.setFromUser(i, t);
      index_ = i;
      text_ = t;
      view_.raiseFromUser(combo_, Event::Click);
    });
    setEditable(c.Style == 0);
  }
  bool focusable() const override { return true; }

 protected:
  void applyColors(const QColor& back, const QColor& fore) override {
    setRole(widget_, QPalette::Base, back);
    setRole(widget_, QPalette::Text, fore);
    setRole(widget_, QPalette::ButtonText, fore);
  }
  void syncOwn(const Scale&, bool all, bool) override {
    QSignalBlocker block(q_);
    if (combo_.Style != style_) setEditable(combo_.Style == 0);
    bool reselect = all;
    if (all || combo_.items() != items_) {
      items_ = combo_.items();
      QSignalBlocker blockEdit(q_->lineEdit());
      q_->clear();
      q_->addItems(items_);
      reselect = true;
    }
    if (reselect || combo_.ListIndex() != index_ || combo_.Text() != text_) {
      index_ = combo_.ListIndex();
      text_ = combo_.Text();
      q_->setCurrentIndex(index_);
      if (q_->isEditable()) {
        QSignalBlocker blockEdit(q_->lineEdit());
        q_->setEditText(text_);
      }
    }
  }

 private:
  void setEditable(bool editable) {
    style_ = combo_.Style;
    if (editable == q_->isEditable()) return;
    q_->setEditable(editable);
    if (!editable) return;
    // No completion or insertion: the text is what the user typed.
    q_->setCompleter(nullptr);
    QLineEdit* e = q_->lineEdit();
    if (std::find(inputObjects().begin(), inputObjects().end(), e) == inputObjects().end())
      addInput(e);
    QObject::connect(e, &QLineEdit::textEdited, q_, [this](const QString& t) {
      const int match = static_cast<int>(combo_.items().indexOf(t));
      combo_.setFromUser(match, t);
      index_ = match;
      text_ = t;
      view_.raiseFromUser(combo_, Event::Change);
    });
  }

  forms::ComboBox& combo_;
  QComboBox* q_;
  QStringList items_;
  int index_ = -2, style_ = -1;
  QString text_;
};

class GridBinding : public Binding {
 public:
  GridBinding(FormView& v, forms::Grid& g) : Binding(v, g), grid_(g) {
    auto* w = new QTableWidget(&v);
    w->setEditTriggers(QAbstractItemView::NoEditTriggers);
    w->setSelectionBehavior(QAbstractItemView::SelectRows);
    w->setSelectionMode(QAbstractItemView::SingleSelection);
    w->verticalHeader()->setVisible(false);
    w->horizontalHeader()->setStretchLastSection(true);
    widget_ = w;
    q_ = w;
    addInput(w);
    addInput(w->viewport());
    QObject::connect(w, &QTableWidget::currentCellChanged, w, [this](int row, int, int, int) {
      grid_.Row = row;
      row_ = row;
    });
    QObject::connect(w, &QTableWidget::cellClicked, w, [this](int row, int) {
      grid_.Row = row;
      row_ = row;
      view_.raiseFromUser(grid_, Event::Click);
    });
    QObject::connect(w, &QTableWidget::cellDoubleClicked, w, [this](int row, int) {
      grid_.Row = row;
      row_ = row;
      view_.raiseFromUser(grid_, Event::DblClick);
    });
    QObject::connect(w->horizontalHeader(), &QHeaderView::sectionClicked, w, [this](int col) {
      grid_.Col = col;
      view_.raiseFromUser(grid_, Event::HeadClick);
    });
    // The user's typing in the row being edited goes into the model cell by cell.
    QObject::connect(w, &QTableWidget::itemChanged, w, [this](QTableWidgetItem* item) {
      const int r = item->row(), c = item->column();
      if (r != grid_.EditRow || r < 0 || r >= static_cast<int>(grid_.Rows.size())) return;
      QStringList& cells = grid_.Rows[r];
      while (cells.size() <= c) cells << QString();
      cells[c] = item->text();
      rows_ = grid_.Rows;
    });
    QObject::connect(w, &QTableWidget::currentCellChanged, w, [this](int, int col, int, int) {
      grid_.Col = col;
    });
  }
  bool focusable() const override { return true; }

 protected:
  void applyColors(const QColor& back, const QColor& fore) override {
    setRole(widget_, QPalette::Base, back);
    setRole(widget_, QPalette::Text, fore);
  }
  void syncOwn(const Scale& s, bool all, bool rescaled) override {
    QSignalBlocker block(q_);
    if (all || grid_.Columns != columns_) {
      columns_ = grid_.Columns;
      q_->setColumnCount(static_cast<int>(columns_.size()));
      QStringList labels = columns_;
      for (QString& l : labels) l.replace(QLatin1Char('\r'), QLatin1Char('\n'));
      q_->setHorizontalHeaderLabels(labels);
    }
    if (all || rescaled || grid_.ColumnWidths != widths_) {
      widths_ = grid_.ColumnWidths;
      const int n = std::min(q_->columnCount(), static_cast<int>(widths_.size()));
      for (int c = 0; c < n; ++c)
        q_->setColumnWidth(c, static_cast<int>(widths_[c] * s.k * s.factor + 0.5));
    }
    if (all || grid_.Rows != rows_ || grid_.EditRow != editRow_) {
      rows_ = grid_.Rows;
      editRow_ = grid_.EditRow;
      q_->setRowCount(static_cast<int>(rows_.size()));
      for (int r = 0; r < static_cast<int>(rows_.size()); ++r)
        for (int c = 0; c < q_->columnCount(); ++c) {
          auto* item = new QTableWidgetItem(rows_[r].value(c));
          if (r != editRow_) item->setFlags(item->flags() & ~Qt::ItemIsEditable);
          q_->setItem(r, c, item);
        }
      q_->setEditTriggers(editRow_ >= 0 ? QAbstractItemView::AllEditTriggers
                                        : QAbstractItemView::NoEditTriggers);
      q_->setSelectionBehavior(editRow_ >= 0 ? QAbstractItemView::SelectItems
                                             : QAbstractItemView::SelectRows);
      row_ = -2;
    }
    if (grid_.Row != row_) {
      row_ = grid_.Row;
      if (row_ >= 0 && row_ < q_->rowCount() && row_ == editRow_)
        q_->setCurrentCell(row_, std::max(0, grid_.Col));
      else if (row_ >= 0 && row_ < q_->rowCount())
        q_->selectRow(row_);
      else
        q_->clearSelection();
    }
  }

 private:
  forms::Grid& grid_;
  QTableWidget* q_;
  QStringList columns_;
  std::vector<int> widths_;
  std::vector<QStringList> rows_;
  int row_ = -2, editRow_ = -2;
};

}  // namespace

std::unique_ptr<Binding> bindComboBox(FormView& view, forms::ComboBox& combo) {
  return std::make_unique<ComboBoxBinding>(view, combo);
}

std::unique_ptr<Binding> bindGrid(FormView& view, forms::Grid& grid) {
  return std::make_unique<GridBinding>(view, grid);
}

}  // namespace gui::detail
