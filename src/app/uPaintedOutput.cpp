#include "uPaintedOutput.h"

#include "uFileReplacement.h"
#include "uReportPainter.h"

#include <QBuffer>
#include <QByteArray>
#include <QIODevice>
#include <QImage>

#include <exception>
#include <stdexcept>

namespace corvadel {

namespace {

// The PDF writer's output, gathered into large blocks for the temporary
// file that takes the output's place once complete. A failure of the file
// is kept, not thrown through the writer, and thrown again by Flush.
class TReplacementDevice : public QIODevice
{
public:
    explicit TReplacementDevice(TFileReplacement &file)
        : File(file)
    {
        open(QIODevice::WriteOnly);
    }

    void Flush()
    {
        Drain();
        if (Failure)
            std::rethrow_exception(Failure);
    }

protected:
    qint64 readData(char *, qint64) override { return -1; }

    qint64 writeData(const char *data, qint64 size) override
    {
        if (Failure)
            return -1;
        Pending.append(data, static_cast<size_t>(size));
        if (Pending.size() >= BlockSize)
            Drain();
        return Failure ? -1 : size;
    }

private:
    static constexpr size_t BlockSize = 1 << 16;
    TFileReplacement &File;
    std::string Pending;
    std::exception_ptr Failure;

    void Drain()
    {
        if (Failure || Pending.empty())
            return;
        try {
            File.Write(Pending);
        } catch (...) {
            Failure = std::current_exception();
        }
        Pending.clear();
    }
};

} // namespace

void WritePdf(const std::string &output, const std::string &title, const TPageFooter &footer,
              const std::function<void(TPageSink &)> &compose)
{
    TFileReplacement file(output);
    TReplacementDevice device(file);
    TReportPainter::WritePdf(device, title, footer, compose);
    device.Flush();
    file.Commit();
}


std::string EncodedPicture(const QImage &picture, const std::string &extension)
{
    const char *format = extension == ".png" ? "PNG" : extension == ".jpg" ? "JPG" : "BMP";
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, format))
        throw std::runtime_error(std::string("the picture cannot be encoded as ") + format);
    return bytes.toStdString();
}

} // namespace corvadel
