#include "gui/qtmessages.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "gui/formview.h"

namespace gui {

namespace {

QMessageBox::Icon iconOf(platform::Icon icon) {
  switch (icon) {
    case platform::Icon::Critical: return QMessageBox::Critical;
    case platform::Icon::Question: return QMessageBox::Question;
    case platform::Icon::Exclamation: return QMessageBox::Warning;
    case platform::Icon::Information: return QMessageBox::Information;
    case platform::Icon::None: break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

int QtMessageService::show(const QString& text, const QString& title, platform::Buttons buttons,
                           platform::Icon icon) {
  FormView::syncAll();
  QMessageBox box(QApplication::activeWindow());
  box.setWindowTitle(title);
  box.setTextFormat(Qt::PlainText);
  box.setText(text);
  box.setIcon(iconOf(icon));
  QMessageBox::StandardButton first = QMessageBox::Ok, escape = QMessageBox::Ok;
  switch (buttons) {
    case platform::Buttons::Ok:
      box.setStandardButtons(QMessageBox::Ok);
      break;
    case platform::Buttons::OkCancel:
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      escape = QMessageBox::Cancel;
      break;
    case platform::Buttons::YesNoCancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      first = QMessageBox::Yes;
      escape = QMessageBox::Cancel;
      break;
    case platform::Buttons::YesNo:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      first = QMessageBox::Yes;
      // Closing a yes/no box is the careful answer.
      escape = QMessageBox::No;
      break;
    case platform::Buttons::SaveDiscardCancel:
      box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
      first = QMessageBox::Save;
      escape = QMessageBox::Cancel;
      break;
  }
  box.setDefaultButton(first);
  box.setEscapeButton(escape);
  // A busy pointer set by a running pass does not stay over the box.
  QApplication::setOverrideCursor(Qt::ArrowCursor);
  box.exec();
  QApplication::restoreOverrideCursor();
  switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Cancel: return platform::AnswerCancel;
    case QMessageBox::Yes: return platform::AnswerYes;
    case QMessageBox::No: return platform::AnswerNo;
    case QMessageBox::Ok: return platform::AnswerOk;
    case QMessageBox::Save: return platform::AnswerSave;
    case QMessageBox::Discard: return platform::AnswerDiscard;
    default: break;
  }
  // No button (the box went away otherwise): the escape answer.
  switch (escape) {
    case QMessageBox::Cancel: return platform::AnswerCancel;
    case QMessageBox::No: return platform::AnswerNo;
    default: return platform::AnswerOk;
  }
}

}  // namespace gui
