#include "spice/opampmodels.h"

#include <algorithm>

#include "mainwindow/calverdonform.h"

namespace spice {

void LoadOpAmpModels(CalverdonForm& f) {
  std::vector<LibraryModel> models;
  if (const std::optional<QByteArray> library = ReadModelLibrary(f)) models = ListModels(*library);

  forms::ComboBox& list = f.OpAmpModel;
  const QString chosen = list.Text();
  list.Clear();
  list.AddItem(kIdealOpAmp);
  f.ModelFirstLine.assign(1, 0);
  for (const LibraryModel& m : models) {
    list.AddItem(m.Name);
    f.ModelFirstLine.push_back(m.FirstEntry);
  }
  const int index = std::max(0, int(list.items().indexOf(chosen)));
  list.setFromUser(index, list.List(index));
}

}  // namespace spice
