#include "designfiles/filecommands.h"

#include <QFileInfo>

#include "designfiles/designfile.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/frequencyboxes.h"
#include "mainwindow/savefiles.h"
#include "mainwindow/startup.h"

namespace designfiles {

namespace {

QString inFolder(const QString& folder, const QString& name) {
  return folder.isEmpty() ? name : folder + QLatin1Char('/') + name;
}

QString fileTitle(const QString& path) { return QFileInfo(path).fileName(); }

}  // namespace

QString UserDefaultDesign(CalverdonForm& f) {
  return inFolder(f.SharedUserFolder(), kDefaultDesignName);
}

QString ShippedDefaultDesign(CalverdonForm& f) {
  return inFolder(f.ProgramFolder(), kDefaultDesignName);
}

void RefreshRespF(CalverdonForm& f) {
  bool cancel = false;
  mainwindow::RespF_Validate(f, cancel);
}

void OpenDefault(CalverdonForm& f) {
  for (const QString& path : {UserDefaultDesign(f), ShippedDefaultDesign(f)}) {
    if (QFileInfo(path).isFile()) {
      OpenFile(f, path);
      return;
    }
  }
  LoadNoDefaultFile(f);
}

void LoadNoDefaultFile(CalverdonForm& f) {
  f.TypeFilter.SetListIndex(0);
  f.CircuitType.SetListIndex(0);
  f.Passband.SetListIndex(0);
  f.ResistorList.SetListIndex(4);
  f.CapacitorList.SetListIndex(0);
  f.Decades.SetListIndex(0);
  f.CompValue.SetValue(true);
  for (int k = 0; k < 5; ++k) {
    f.C1Entry[k].Text.clear();
    f.C2Entry[k].Text.clear();
    f.GainTB[k].Text.clear();
  }
  f.C1RealEntry.Text.clear();
  f.RespF.Text = QStringLiteral("1.0 k");
  f.Text18.Text = QStringLiteral("3");
  f.Text1.Text = QStringLiteral("3");
  f.Text12.Text = QStringLiteral("10") + f.DecimalSep + QStringLiteral("0 k");
  f.Text34.Text = QStringLiteral("1") + f.DecimalSep + QStringLiteral("0 k");
  RefreshRespF(f);
  f.SuppressUpdate = false;
  f.SequenceUpdateScreen();
  f.Text19.Text.clear();
  mainwindow::MarkDesignUnchanged(f);
}

QByteArray DesignSnapshot(const CalverdonForm& f) {
  DesignRecord r = RecordOf(f);
  r.respF.clear();
  r.respFreq = 0;
  return WriteDesignRecord(r);
}

bool MayDropDesign(CalverdonForm& f) {
  if (!f.Modified) return true;
  f.Message(kSaveQuestion, platform::Buttons::SaveDiscardCancel, platform::Icon::Exclamation);
  switch (f.MsgAnswer) {
    case platform::AnswerDiscard:
      return true;
    case platform::AnswerSave:
      // A save that succeeds clears the mark; a failed or cancelled one leaves it.
      mnuFileSave_Click(f);
      return !f.Modified;
    default:
      return false;
  }
}

void CloseProgram(CalverdonForm& f) {
  if (MayDropDesign(f)) mainwindow::EndProgram(f);
}

void mnuFileNew_click(CalverdonForm& f) {
  if (!MayDropDesign(f)) return;
  // Busy while the start values go back in, so no handler recomputes a half-set design.
  f.SuppressUpdate = true;
  mainwindow::Form_Initialize(f, &OpenDefault);
  // Reading the default design names no file: Save must not replace the file last saved
  // or opened with this design.
  f.DesignFile.clear();
  f.Caption = mainwindow::kWindowCaption;
}

void mnuFileOpen_Click(CalverdonForm& f) {
  if (!f.svc.fileDialogs || !MayDropDesign(f)) return;
  platform::FileDialogRequest request;
  request.title = QStringLiteral("Open");
  request.filter = QStringLiteral("Calverdon Files (*.cvf)|*.*");
  f.requestSync();
  const auto chosen = f.svc.fileDialogs->openFile(request);
  if (!chosen || chosen->isEmpty()) return;
  if (!OpenFile(f, *chosen)) return;
  // Save after Open writes the file that was opened.
  f.DesignFile = *chosen;
  f.Caption = kCaptionPrefix + fileTitle(*chosen);
}

void mnuFileSave_Click(CalverdonForm& f) {
  if (f.DesignFile.isEmpty()) {
    mnuFileSaveAs_Click(f);
    return;
  }
  SaveSub(f, f.DesignFile);
}

void mnuFileSaveAs_Click(CalverdonForm& f) {
  if (!f.svc.fileDialogs) return;
  platform::FileDialogRequest request;
  request.title = QStringLiteral("Save As");
  request.filter = QStringLiteral("Calverdon Filter (*.cvf)|*.*");
  request.defaultSuffix = QStringLiteral("cvf");
  f.requestSync();
  const auto chosen = f.svc.fileDialogs->saveFile(request);
  if (!chosen || chosen->isEmpty()) return;
  if (!mainwindow::MayWriteFile(f, *chosen)) return;
  if (SaveSub(f, *chosen)) f.Caption = kCaptionPrefix + fileTitle(*chosen);
}

void SADmnu_Click(CalverdonForm& f) {
  f.Message(QStringLiteral(
                "Do you want to save the present design to be opened the next time Calverdon is "
                "opened?"),
            platform::Buttons::YesNo, platform::Icon::None);
  if (f.MsgAnswer == platform::AnswerYes) SaveSub(f, UserDefaultDesign(f));
}

void RegisterFileCommands(CalverdonForm& f) {
  auto menu = [&f](const char* name, void (*command)(CalverdonForm&)) {
    f.on(QString::fromLatin1(name), forms::Event::Click,
         [&f, command](forms::EventArgs&) { command(f); });
  };
  menu("mnuFileNew", &mnuFileNew_click);
  menu("mnuFileOpen", &mnuFileOpen_Click);
  menu("mnuFileSave", &mnuFileSave_Click);
  menu("mnuFileSaveAs", &mnuFileSaveAs_Click);
  menu("SADmnu", &SADmnu_Click);
  menu("exitmnu", &CloseProgram);
  f.Snapshots.take = &DesignSnapshot;
}

}  // namespace designfiles
