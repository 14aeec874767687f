// What the painting commands write: a PDF of pages, a picture in the
// format of its extension, each through a temporary file that takes the
// output's place only once complete.
#pragma once

#include <functional>
#include <string>

class QImage;

namespace corvadel {

class TPageSink;
struct TPageFooter;

// The pages `compose` sends are painted and written one at a time, so the
// memory taken does not grow with the job.
void WritePdf(const std::string &output, const std::string &title, const TPageFooter &footer,
              const std::function<void(TPageSink &)> &compose);

// The picture encoded as `extension` names: ".png", ".jpg" or ".bmp".
std::string EncodedPicture(const QImage &picture, const std::string &extension);

} // namespace corvadel
