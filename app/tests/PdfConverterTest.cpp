// The PDF conversions run one after another in the background, say how each ended, and one
// whose report is written again ends with its helpers and its half-written PDF.
#include "FakeOffice.h"
#include "PdfConversion.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using app::PdfConverter;
using app::PdfResult;

class PdfConverterTest : public QObject
{
    Q_OBJECT

    using Ending = std::pair<PdfResult, QString>;

    QString document(const QString& name, const QByteArray& firstLine) const
    {
        const QString path = m_folder->filePath(name + u".rtf"_s);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(path));
        file.write(firstLine + '\n');
        return path;
    }
    QStringList log() const
    {
        QFile file(m_folder->filePath(u"log"_s));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }
    // The helper process the conversion of `rtf` started, once it runs.
    static qint64 helperOf(const QString& rtf)
    {
        QFile file(rtf + u".child"_s);
        return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed().toLongLong() : 0;
    }
    // Ended, even when nobody has collected its exit status yet.
    static bool ended(qint64 pid)
    {
        QFile stat(u"/proc/%1/stat"_s.arg(pid));
        return !stat.open(QIODevice::ReadOnly) || stat.readAll().contains(") Z ");
    }

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<PdfConverter> m_converter;
    QList<Ending> m_endings;

private slots:
    void init()
    {
        m_folder = std::make_unique<QTemporaryDir>();
        m_converter = std::make_unique<PdfConverter>();
        m_converter->setOffice(testsupport::writeFakeOffice(m_folder->path()));
        m_endings.clear();
        connect(m_converter.get(), &PdfConverter::finished, this,
                [this](PdfResult result, const QString& pdf) {
                    m_endings.append({result, pdf});
                });
    }
    void cleanup()
    {
        m_converter.reset();
        m_folder.reset();
    }

    void conversionsRunOneAfterAnotherAndSayHowEachEnded()
    {
        const QString a = document(u"a"_s, "0.3 ok");
        const QString b = document(u"b"_s, "0 fail");
        const QString c = document(u"c"_s, "0 ok");
        for (const QString& rtf : {a, b, c})
            m_converter->convert(rtf);
        QVERIFY(m_converter->isBusy());
        QTRY_COMPARE_WITH_TIMEOUT(m_endings.size(), 3, 20000);
        QCOMPARE(m_endings, (QList<Ending>{{PdfResult::Written, PdfConverter::pdfPath(a)},
                                           {PdfResult::Failed, PdfConverter::pdfPath(b)},
                                           {PdfResult::Written, PdfConverter::pdfPath(c)}}));
        QCOMPARE(log(), (QStringList{u"start "_s + a, u"end "_s + a, u"start "_s + b, u"end "_s + b,
                                     u"start "_s + c, u"end "_s + c}));
        QVERIFY(!m_converter->isBusy());
    }

    // Stopped, asked again, or left running when the program ends: LibreOffice and what it
    // started end at once, and no half-written PDF stays; the next in the queue goes on.
    void aStoppedConversionLeavesNothingBehind()
    {
        const QString a = document(u"a"_s, "30 ok");
        const QString b = document(u"b"_s, "0 ok");
        m_converter->convert(a);
        m_converter->convert(b);
        QTRY_VERIFY(helperOf(a) > 0);
        qint64 helper = helperOf(a);
        QFile::remove(a + u".child"_s);
        m_converter->convert(a);
        QTRY_VERIFY(ended(helper));
        QTRY_VERIFY_WITH_TIMEOUT(helperOf(a) > 0, 20000);
        helper = helperOf(a);
        m_converter->stop(a);
        QTRY_VERIFY(ended(helper));
        QVERIFY(!QFile::exists(PdfConverter::pdfPath(a)));
        QTRY_COMPARE_WITH_TIMEOUT(m_endings.size(), 1, 20000);
        QCOMPARE(m_endings.front(), Ending(PdfResult::Written, PdfConverter::pdfPath(b)));

        QFile::remove(a + u".child"_s);
        m_converter->convert(a);
        QTRY_VERIFY(helperOf(a) > 0);
        helper = helperOf(a);
        m_converter.reset();
        QTRY_VERIFY(ended(helper));
        QVERIFY(!QFile::exists(PdfConverter::pdfPath(a)));
        QCOMPARE(m_endings.size(), 1);
    }

    void withoutLibreOfficeItSaysSoAtOnce()
    {
        m_converter->setOffice({});
        m_converter->convert(u"/tmp/x/Informe.rtf"_s);
        QCOMPARE(m_endings, (QList<Ending>{{PdfResult::NoOffice, u"/tmp/x/Informe.pdf"_s}}));
        QVERIFY(!m_converter->isBusy());
        QCOMPARE(app::pdfResultText(PdfResult::NoOffice, u"x.pdf"_s),
                 u"PDF no generado: LibreOffice no está instalado."_s);
    }
};

QTEST_GUILESS_MAIN(PdfConverterTest)
#include "PdfConverterTest.moc"
