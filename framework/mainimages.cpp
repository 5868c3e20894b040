#include "framework/mainimages.h"

#include <QImage>
#include <QString>

#include "framework/imagelist.h"

// Resources in a static library must be registered explicitly.
static void InitMainImageResources() {
  Q_INIT_RESOURCE(images);
}

QImage MainWindowImage(int index) {
  if (index < 0 || index >= MainWindowImageCount) return QImage();
  InitMainImageResources();
  return QImage(QStringLiteral(":/framework/images/img%1.png").arg(index));
}

void AddMainWindowImages(TCustomImageList& list) {
  for (int i = 0; i < MainWindowImageCount; ++i) list.Add(MainWindowImage(i));
}
