// Writes the application icon in every form the installers need, all drawn by the about box's
// picture function:
//   <out>/hicolor/{64x64,128x128,256x256}/apps/app.vantrel.Vantrel.png  (freedesktop theme)
//   <out>/hicolor/scalable/apps/app.vantrel.Vantrel.svg
//   <out>/Vantrel.ico   (Windows: PNG images in an icon directory)
//   <out>/Vantrel.icns  (macOS: PNG images in typed chunks)
// Usage: vantrel_icons <out-dir>
#include "resources/DrawVantrelSmaller64.h"

#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <QtEndian>

#include <cstdio>

namespace {

const QString kIconName = QStringLiteral("app.vantrel.Vantrel");

QByteArray pngOf(int size)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    RenderVantrelSmaller64(size).save(&buffer, "PNG");
    return bytes;
}

template<typename T>
void appendLE(QByteArray &out, T value)
{
    char bytes[sizeof(T)];
    qToLittleEndian(value, bytes);
    out.append(bytes, sizeof(T));
}

void appendBE32(QByteArray &out, quint32 value)
{
    char bytes[4];
    qToBigEndian(value, bytes);
    out.append(bytes, 4);
}

// ICONDIR, one ICONDIRENTRY per image, then the PNGs (Windows Vista and later read PNG entries).
QByteArray icoFile()
{
    const int sizes[] = {16, 24, 32, 48, 64, 128, 256};
    QList<QByteArray> images;
    for (int s : sizes)
        images << pngOf(s);
    QByteArray out;
    appendLE<quint16>(out, 0); // reserved
    appendLE<quint16>(out, 1); // type: icon
    appendLE<quint16>(out, quint16(images.size()));
    quint32 offset = quint32(6 + 16 * images.size());
    for (qsizetype i = 0; i < images.size(); ++i) {
        const int s = sizes[i];
        out.append(char(s >= 256 ? 0 : s)); // 0 stands for 256
        out.append(char(s >= 256 ? 0 : s));
        out.append(char(0));        // no palette
        out.append(char(0));        // reserved
        appendLE<quint16>(out, 1);  // colour planes
        appendLE<quint16>(out, 32); // bits per pixel
        appendLE<quint32>(out, quint32(images.at(i).size()));
        appendLE<quint32>(out, offset);
        offset += quint32(images.at(i).size());
    }
    for (const QByteArray &image : images)
        out.append(image);
    return out;
}

// "icns", the file's length, then chunks of a four-letter type, the chunk's length (with its
// 8-byte header) and a PNG.
QByteArray icnsFile()
{
    const struct
    {
        const char *type;
        int size;
    } chunks[] = {{"icp4", 16},  {"icp5", 32},  {"ic11", 32},  {"ic12", 64},  {"ic07", 128},
                  {"ic13", 256}, {"ic08", 256}, {"ic14", 512}, {"ic09", 512}, {"ic10", 1024}};
    QByteArray body;
    for (const auto &chunk : chunks) {
        const QByteArray png = pngOf(chunk.size);
        body.append(chunk.type, 4);
        appendBE32(body, quint32(8 + png.size()));
        body.append(png);
    }
    QByteArray out("icns");
    appendBE32(out, quint32(8 + body.size()));
    out.append(body);
    return out;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "vantrel_icons: could not write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

bool writeSvg(const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(QSize(64, 64));
    svg.setViewBox(QRectF(0, 0, 64, 64));
    svg.setTitle(QStringLiteral("Vantrel"));
    QPainter p;
    if (!p.begin(&svg)) {
        std::fprintf(stderr, "vantrel_icons: could not write %s\n", qPrintable(path));
        return false;
    }
    DrawVantrelSmaller64(p, 64);
    return p.end();
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fputs("usage: vantrel_icons <out-dir>\n", stderr);
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    bool ok = true;
    for (int size : {64, 128, 256}) {
        const QString dir = QStringLiteral("%1/hicolor/%2x%2/apps/").arg(out).arg(size);
        ok = writeFile(dir + kIconName + QStringLiteral(".png"), pngOf(size)) && ok;
    }
    ok = writeSvg(out + QStringLiteral("/hicolor/scalable/apps/") + kIconName + QStringLiteral(".svg")) && ok;
    ok = writeFile(out + QStringLiteral("/Vantrel.ico"), icoFile()) && ok;
    ok = writeFile(out + QStringLiteral("/Vantrel.icns"), icnsFile()) && ok;
    return ok ? 0 : 1;
}
