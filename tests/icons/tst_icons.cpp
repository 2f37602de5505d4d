#include "common/GuiTestMain.h"

#include "about/winAboutBox.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QtEndian>

#include <cstdlib>

namespace {

const QString kIconDir = QStringLiteral(VANTREL_ICON_DIR);

QString themePng(int size)
{
    return kIconDir + QStringLiteral("/hicolor/%1x%1/apps/app.vantrel.Vantrel.png").arg(size);
}

QImage normalised(const QImage &image) { return image.convertToFormat(QImage::Format_ARGB32_Premultiplied); }

// Mean difference per channel (0..255) of two pictures of one size.
double meanDifference(const QImage &a, const QImage &b)
{
    const QImage x = normalised(a), y = normalised(b);
    double sum = 0;
    for (int row = 0; row < x.height(); ++row) {
        const auto *p = reinterpret_cast<const QRgb *>(x.constScanLine(row));
        const auto *q = reinterpret_cast<const QRgb *>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col) {
            sum += std::abs(qRed(p[col]) - qRed(q[col])) + std::abs(qGreen(p[col]) - qGreen(q[col]))
                + std::abs(qBlue(p[col]) - qBlue(q[col])) + std::abs(qAlpha(p[col]) - qAlpha(q[col]));
        }
    }
    return sum / (4.0 * x.width() * x.height());
}

// Antialiased edges land differently at another size or through another renderer; a different
// or misplaced picture differs by far more.
constexpr double kSamePicture = 3.0;

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

quint16 le16(const QByteArray &b, qsizetype at) { return qFromLittleEndian<quint16>(b.constData() + at); }
quint32 le32(const QByteArray &b, qsizetype at) { return qFromLittleEndian<quint32>(b.constData() + at); }
quint32 be32(const QByteArray &b, qsizetype at) { return qFromBigEndian<quint32>(b.constData() + at); }

} // namespace

class TestIcons : public QObject
{
    Q_OBJECT

private slots:
    // The about box's compiled-in picture is the icon tool's 64-pixel output, pixel for pixel.
    void aboutPictureIsTheIcon()
    {
        const QImage icon(themePng(64));
        QCOMPARE(icon.size(), QSize(64, 64));
        const QImage about = AboutBox::VantrelSmaller64().toImage();
        QCOMPARE(about.size(), QSize(64, 64));
        QVERIFY2(normalised(about) == normalised(icon),
                 "resources/VantrelSmaller64.png is stale: rebuild it with the update-about-picture target");
    }

    void themeSizes_data()
    {
        QTest::addColumn<int>("size");
        for (int size : {128, 256})
            QTest::addRow("%d", size) << size;
    }
    // Each larger size is the same picture, scaled rather than drawn at 64 pixels in a corner.
    void themeSizes()
    {
        QFETCH(int, size);
        const QImage image(themePng(size));
        QCOMPARE(image.size(), QSize(size, size));
        const QImage down = image.scaled(64, 64, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        QVERIFY2(meanDifference(down, QImage(themePng(64))) < kSamePicture,
                 qPrintable(QString::number(meanDifference(down, QImage(themePng(64))))));
    }

    void svgIsTheSamePicture()
    {
        QSvgRenderer svg(kIconDir + QStringLiteral("/hicolor/scalable/apps/app.vantrel.Vantrel.svg"));
        QVERIFY(svg.isValid());
        QCOMPARE(svg.viewBoxF(), QRectF(0, 0, 64, 64));
        QImage drawn(64, 64, QImage::Format_ARGB32_Premultiplied);
        drawn.fill(Qt::transparent);
        QPainter p(&drawn);
        svg.render(&p);
        p.end();
        const double difference = meanDifference(drawn, QImage(themePng(64)));
        QVERIFY2(difference < kSamePicture, qPrintable(QString::number(difference)));
    }

    // ICONDIR (reserved 0, type 1, count), 16-byte entries (width and height with 0 for 256,
    // length and offset of the image), PNG images.
    void icoDirectory()
    {
        const QByteArray ico = readAll(kIconDir + QStringLiteral("/Vantrel.ico"));
        QVERIFY(ico.size() > 6);
        QCOMPARE(le16(ico, 0), quint16(0));
        QCOMPARE(le16(ico, 2), quint16(1));
        const int count = le16(ico, 4);
        QVERIFY(ico.size() >= 6 + 16 * count);
        QList<int> sizes;
        qsizetype expectedOffset = 6 + 16 * count;
        for (int i = 0; i < count; ++i) {
            const qsizetype entry = 6 + 16 * i;
            const int width = quint8(ico.at(entry)) == 0 ? 256 : quint8(ico.at(entry));
            const int height = quint8(ico.at(entry + 1)) == 0 ? 256 : quint8(ico.at(entry + 1));
            const quint32 length = le32(ico, entry + 8);
            const quint32 offset = le32(ico, entry + 12);
            QCOMPARE(qsizetype(offset), expectedOffset);
            QVERIFY(qsizetype(offset) + qsizetype(length) <= ico.size());
            expectedOffset += length;
            const QImage image = QImage::fromData(ico.mid(offset, length), "PNG");
            QCOMPARE(image.size(), QSize(width, height));
            sizes << width;
            if (width == 256)
                QCOMPARE(normalised(image), normalised(QImage(themePng(256))));
        }
        QCOMPARE(expectedOffset, ico.size());
        for (int needed : {16, 32, 48, 256})
            QVERIFY2(sizes.contains(needed), qPrintable(QString::number(needed)));
    }

    // "icns", the file length, then chunks: type, length with the 8-byte header, PNG.
    void icnsChunks()
    {
        const QByteArray icns = readAll(kIconDir + QStringLiteral("/Vantrel.icns"));
        QVERIFY(icns.size() > 8);
        QCOMPARE(icns.left(4), QByteArray("icns"));
        QCOMPARE(qsizetype(be32(icns, 4)), icns.size());
        const QHash<QByteArray, int> sizeOfType = {{"icp4", 16},  {"icp5", 32},  {"ic11", 32},  {"ic12", 64},
                                                   {"ic07", 128}, {"ic13", 256}, {"ic08", 256}, {"ic14", 512},
                                                   {"ic09", 512}, {"ic10", 1024}};
        QSet<QByteArray> seen;
        qsizetype at = 8;
        while (at < icns.size()) {
            QVERIFY(at + 8 <= icns.size());
            const QByteArray type = icns.mid(at, 4);
            const quint32 length = be32(icns, at + 4);
            QVERIFY(length > 8 && at + qsizetype(length) <= icns.size());
            QVERIFY2(sizeOfType.contains(type), type.constData());
            const QImage image = QImage::fromData(icns.mid(at + 8, length - 8), "PNG");
            const int size = sizeOfType.value(type);
            QCOMPARE(image.size(), QSize(size, size));
            if (type == "ic07")
                QCOMPARE(normalised(image), normalised(QImage(themePng(128))));
            seen.insert(type);
            at += length;
        }
        QCOMPARE(at, icns.size());
        QCOMPARE(seen.size(), sizeOfType.size());
    }
};

VANTREL_TEST_MAIN_GUI(TestIcons)
#include "tst_icons.moc"
