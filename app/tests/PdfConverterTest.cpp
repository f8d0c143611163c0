// The PDF conversions run one after another in the background and say how each ended; one
// stopped or running too long ends with its helpers, and a report's earlier PDF goes at once.
#include "FakeOffice.h"
#include "PdfConversion.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <chrono>
#include <memory>

#include <unistd.h>

using namespace Qt::StringLiterals;
using app::PdfConverter;
using app::PdfEnding;
using app::PdfResult;

class PdfConverterTest : public QObject
{
    Q_OBJECT

    using Ending = std::pair<PdfEnding, QString>;

    static void write(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(path));
        file.write(bytes);
    }
    QString document(const QString& name, const QByteArray& firstLine) const
    {
        const QString path = m_folder->filePath(name + u".rtf"_s);
        write(path, firstLine + '\n');
        return path;
    }
    // What has the name `path`: "folder", a file's text, or nothing.
    static QString found(const QString& path)
    {
        if (QFileInfo(path).isDir())
            return u"folder"_s;
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    // The folder of the profile LibreOffice was given for `rtf`.
    static QString profileOf(const QString& rtf)
    {
        const QString argument = found(rtf + u".profile"_s).trimmed();
        return QUrl(argument.section(u'=', 1)).toLocalFile();
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
                [this](const PdfEnding& ending, const QString& pdf) {
                    m_endings.append({ending, pdf});
                });
    }
    void cleanup()
    {
        QFile::setPermissions(m_folder->path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
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
        QCOMPARE(m_endings, (QList<Ending>{{{PdfResult::Written}, PdfConverter::pdfPath(a)},
                                           {{PdfResult::Failed}, PdfConverter::pdfPath(b)},
                                           {{PdfResult::Written}, PdfConverter::pdfPath(c)}}));
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
        QCOMPARE(m_endings.front(), Ending({PdfResult::Written}, PdfConverter::pdfPath(b)));

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
        QCOMPARE(m_endings, (QList<Ending>{{{PdfResult::NoOffice}, u"/tmp/x/Informe.pdf"_s}}));
        QVERIFY(!m_converter->isBusy());
        QCOMPARE(app::pdfResultText({PdfResult::NoOffice}, u"x.pdf"_s),
                 u"PDF no generado: LibreOffice no está instalado."_s);
    }

    // What the status bar says of each ending, what has the PDF's name afterwards, and how far
    // the stand-in got.
    void eachEndingIsSaidAsItWas_data()
    {
        QTest::addColumn<QByteArray>("firstLine");
        // What has the PDF's name before: "", "folder", or "locked" (a PDF that cannot be
        // removed from a folder that cannot be written).
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("limitMs");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QStringList>("steps");
        const QStringList ran{u"start"_s, u"end"_s};
        QTest::newRow("written") << QByteArray("0 ok") << QString() << 20000
                                 << u"PDF escrito: a.pdf"_s << u"half\nwhole\n"_s << ran;
        QTest::newRow("failed") << QByteArray("0 fail") << QString() << 20000
                                << u"PDF no generado: LibreOffice no pudo convertir el informe."_s
                                << QString() << ran;
        QTest::newRow("no error and no PDF")
            << QByteArray("0 none") << QString() << 20000
            << u"PDF no generado: LibreOffice no escribió el PDF."_s << QString() << ran;
        QTest::newRow("a folder has the PDF's name")
            << QByteArray("0 ok") << u"folder"_s << 20000
            << u"PDF no generado: \"a.pdf\" es una carpeta."_s << u"folder"_s << QStringList();
        QTest::newRow("an earlier PDF that cannot be removed")
            << QByteArray("0 ok") << u"locked"_s << 20000
            << u"PDF no generado: no se puede borrar el PDF anterior (permiso denegado)."_s
            << u"earlier\n"_s << QStringList();
        QTest::newRow("running past the limit")
            << QByteArray("30 ok") << QString() << 1500
            << u"PDF no generado: LibreOffice no terminó en 10 minutos."_s << QString()
            << QStringList{u"start"_s};
    }
    void eachEndingIsSaidAsItWas()
    {
        QFETCH(QByteArray, firstLine);
        QFETCH(QString, before);
        QFETCH(int, limitMs);
        QFETCH(QString, text);
        QFETCH(QString, after);
        QFETCH(QStringList, steps);
        const QString rtf = document(u"a"_s, firstLine);
        const QString pdf = PdfConverter::pdfPath(rtf);
        if (before == u"folder")
            QVERIFY(QDir(m_folder->path()).mkpath(u"a.pdf/inside"_s));
        if (before == u"locked") {
            // Root removes whatever the permissions say.
            if (geteuid() == 0)
                QSKIP("root removes any file");
            write(pdf, "earlier\n");
            QFile::setPermissions(pdf, QFile::ReadOwner);
            QFile::setPermissions(m_folder->path(), QFile::ReadOwner | QFile::ExeOwner);
        }
        m_converter->setTimeLimit(std::chrono::milliseconds(limitMs));
        m_converter->convert(rtf);
        // What is in the way is said at once.
        if (!before.isEmpty())
            QCOMPARE(m_endings.size(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(m_endings.size(), 1, 20000);
        QCOMPARE(m_endings.front().second, pdf);
        QCOMPARE(app::pdfResultText(m_endings.front().first, u"a.pdf"_s), text);
        QCOMPARE(found(pdf), after);
        QStringList ranSteps;
        for (const QString& line : log())
            ranSteps << line.section(u' ', 0, 0);
        QCOMPARE(ranSteps, steps);
        QVERIFY(!m_converter->isBusy());
        QTRY_VERIFY(ended(helperOf(rtf)));
    }

    // As soon as a report is written again, not when its conversion's turn comes, and without
    // LibreOffice too.
    void theEarlierPdfGoesAtOnce()
    {
        const QString a = document(u"a"_s, "0 ok");
        write(PdfConverter::pdfPath(a), "earlier\n");
        m_converter->setOffice({});
        m_converter->convert(a);
        QCOMPARE(found(PdfConverter::pdfPath(a)), QString());

        m_converter->setOffice(m_folder->filePath(u"soffice"_s));
        const QString b = document(u"b"_s, "30 ok");
        const QString c = document(u"c"_s, "0 ok");
        write(PdfConverter::pdfPath(c), "earlier\n");
        m_converter->convert(b);
        m_converter->convert(c);
        QCOMPARE(found(PdfConverter::pdfPath(c)), QString());
    }

    // Two copies of the program run LibreOffice side by side, each with a profile of its own
    // that goes with it.
    void eachConverterHasAProfileOfItsOwn()
    {
        PdfConverter other;
        other.setOffice(m_folder->filePath(u"soffice"_s));
        int otherEndings = 0;
        connect(&other, &PdfConverter::finished, this, [&otherEndings] { ++otherEndings; });
        const QString a = document(u"a"_s, "0 ok");
        const QString b = document(u"b"_s, "0 ok");
        m_converter->convert(a);
        other.convert(b);
        QTRY_COMPARE_WITH_TIMEOUT(m_endings.size(), 1, 20000);
        QTRY_COMPARE_WITH_TIMEOUT(otherEndings, 1, 20000);
        const QString mine = profileOf(a);
        const QString theirs = profileOf(b);
        QVERIFY(QFileInfo(mine).isDir());
        QVERIFY(QFileInfo(theirs).isDir());
        QVERIFY(mine != theirs);
        m_converter.reset();
        QVERIFY(!QFileInfo::exists(mine));
        QVERIFY(QFileInfo(theirs).isDir());
    }
};

QTEST_GUILESS_MAIN(PdfConverterTest)
#include "PdfConverterTest.moc"
