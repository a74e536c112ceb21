#pragma once
// The program's own drawings, by name: the pictures that Image controls and picture boxes show
// (stage schematics, summing stages). A drawing paints itself into the target rectangle.
#include <QPainter>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>

namespace gui {

using Drawing = std::function<void(QPainter&, const QRectF& target)>;

class DrawingRegistry {
 public:
  // Adds or replaces the drawing of a name.
  void add(const QString& name, Drawing drawing);
  bool contains(const QString& name) const;
  QStringList names() const;
  // Paints the named drawing into target; an empty or unknown name paints nothing.
  // Returns whether a drawing was painted.
  bool paint(const QString& name, QPainter& painter, const QRectF& target) const;

 private:
  std::map<QString, Drawing> drawings_;
};

// The registry every view paints from.
DrawingRegistry& drawings();

}  // namespace gui
