// Picture files through Qt's image readers.
#include <QImage>
#include <QImageReader>

#include "forms/image.h"
#include "forms/qt/widget_impl.h"

namespace qgf {

Picture LoadPicture(const std::string& path) {
  QImageReader reader(QString::fromUtf8(path.c_str()));
  // A corrupt or hostile file must not make us allocate without bound.
  QImageReader::setAllocationLimit(256);
  QImage image = reader.read();
  if (image.isNull()) return Picture();
  return Picture(FromQImage(image));
}

}  // namespace qgf
