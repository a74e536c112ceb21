#include "gui/drawings.h"

namespace gui {

void DrawingRegistry::add(const QString& name, Drawing drawing) {
  drawings_[name] = std::move(drawing);
}

bool DrawingRegistry::contains(const QString& name) const { return drawings_.count(name) != 0; }

QStringList DrawingRegistry::names() const {
  QStringList list;
  for (const auto& [name, drawing] : drawings_) list << name;
  return list;
}

bool DrawingRegistry::paint(const QString& name, QPainter& painter, const QRectF& target) const {
  if (name.isEmpty()) return false;
  auto it = drawings_.find(name);
  if (it == drawings_.end() || !it->second) return false;
  painter.save();
  it->second(painter, target);
  painter.restore();
  return true;
}

DrawingRegistry& drawings() {
  static DrawingRegistry registry;
  return registry;
}

}  // namespace gui
