// The GUI library draws text only with an application object. The desktop
// program has one; the batch tool makes one on the offscreen platform the
// first time it draws or converts a picture.
#pragma once

namespace phonotab {

void ensureGuiApplication();

}  // namespace phonotab
