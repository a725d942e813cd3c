#pragma once

// The window's camera icon in every size: the drawn pictures of 16, 32, 48, 64 and 128 pixels
// where a size matches one, the scalable drawing for any other size. Nothing is decoded when the
// icon is made; each picture is read the first time its size is asked for, and the scalable
// drawing (through Qt's SVG icon plugin) only for a size without a picture of its own.

#include <QIcon>

namespace quadrel {

QIcon cameraIcon();

} // namespace quadrel
