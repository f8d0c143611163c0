// The command wrapper and its error box: title, full stop, and the program going on.
#include "Command.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <stdexcept>

using namespace Qt::StringLiterals;

// A command that fails the first time only.
struct Clicker : QObject
{
    int clicks = 0;
    void click()
    {
        if (++clicks == 1)
            throw std::runtime_error("Floating point division by zero");
    }
};

class CommandTest : public QObject
{
    Q_OBJECT

private slots:
    void titleIsTheProgramNameWithLowerCaseTail_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("title");
        QTest::newRow("windows style") << u"C:/Prog/ENDEUDA.EXE"_s << u"Endeuda"_s;
        QTest::newRow("first letter kept") << u"/usr/bin/endeudamiento"_s << u"endeudamiento"_s;
        QTest::newRow("mixed case") << u"/opt/Endeudamiento"_s << u"Endeudamiento"_s;
        QTest::newRow("up to the first dot") << u"/x/Calc.Municipal.bin"_s << u"Calc"_s;
        QTest::newRow("accented") << u"/x/CÁLCULO"_s << u"Cálculo"_s;
    }
    void titleIsTheProgramNameWithLowerCaseTail()
    {
        QFETCH(QString, path);
        QFETCH(QString, title);
        QCOMPARE(command::titleFor(path), title);
    }

    void fullStopIsAddedAfterCharactersSortingAfterIt_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown");
        QTest::newRow("letter") << u"Invalid floating point operation"_s
                                << u"Invalid floating point operation."_s;
        QTest::newRow("exclamation") << u"Atención!"_s << u"Atención!"_s;
        QTest::newRow("already a stop") << u"Hecho."_s << u"Hecho."_s;
        QTest::newRow("digit") << u"Error 3"_s << u"Error 3."_s;
        QTest::newRow("quote") << u"'E5' is not a valid floating point value"_s
                               << u"'E5' is not a valid floating point value."_s;
        QTest::newRow("closing parenthesis") << u"(x)"_s << u"(x)"_s;
        QTest::newRow("accented letter") << u"Préstamo"_s << u"Préstamo."_s;
        QTest::newRow("empty") << QString() << QString();
    }
    void fullStopIsAddedAfterCharactersSortingAfterIt()
    {
        QFETCH(QString, message);
        QFETCH(QString, shown);
        QCOMPARE(command::shownMessage(message), shown);
    }

    void errorBoxShowsTheMessageAsMeant_data()
    {
        QTest::addColumn<QByteArray>("message");
        QTest::addColumn<QString>("shown");
        QTest::newRow("engine's line break")
            << u"Can't evaluate tag \"Año\".\rCheck template!"_s.toUtf8()
            << u"Can't evaluate tag \"Año\".\nCheck template!"_s;
        QTest::newRow("euro sign")
            << u"Can't evaluate tag \"€\""_s.toUtf8() << u"Can't evaluate tag \"€\""_s;
        QTest::newRow("not UTF-8, not guessed")
            << "Can't evaluate tag \"A\xF1o\""_ba << u"Can't evaluate tag \"A\uFFFDo\""_s;
        QTest::newRow("own UTF-8") << u"Préstamo"_s.toUtf8() << u"Préstamo."_s;
        QTest::newRow("markup") << "Can't evaluate tag \"<b>x</b>\""_ba
                                << u"Can't evaluate tag \"<b>x</b>\""_s;
    }
    void errorBoxShowsTheMessageAsMeant()
    {
        QFETCH(QByteArray, message);
        QFETCH(QString, shown);
        QString text;
        Qt::TextFormat format = Qt::AutoText;
        QTimer::singleShot(0, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                qFatal("no error box");
            const auto* label = box->findChild<QLabel*>(u"qt_msgbox_label"_s);
            text = label->text();
            format = label->textFormat();
            box->accept();
        });
        command::showError(std::runtime_error(message.toStdString()));
        QCOMPARE(text, shown);
        QCOMPARE(format, Qt::PlainText);
    }

    void failedCommandIsShownAndTheProgramGoesOn()
    {
        QStringList shown;
        command::setErrorPresenter(
            [&](const QString& title, const QString& message) { shown << title << message; });

        QPushButton button;
        Clicker clicker;
        connect(&button, &QPushButton::clicked, &clicker,
                command::guarded(&clicker, &Clicker::click));
        QTest::mouseClick(&button, Qt::LeftButton);
        const QString title = command::titleFor(QCoreApplication::applicationFilePath());
        QCOMPARE(shown, (QStringList{title, u"Floating point division by zero."_s}));

        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(clicker.clicks, 2);
        QCOMPARE(shown.size(), 2);
        command::setErrorPresenter({});
    }

    void anythingThrownIsShown_data()
    {
        QTest::addColumn<int>("thrown");
        QTest::addColumn<QString>("shown");
        const QString general = u"Error inesperado: la orden no pudo completarse."_s;
        QTest::newRow("std::exception") << 0 << u"Invalid floating point operation."_s;
        QTest::newRow("integer") << 1 << general;
        QTest::newRow("text") << 2 << general;
        QTest::newRow("class of its own") << 3 << general;
    }
    void anythingThrownIsShown()
    {
        QFETCH(int, thrown);
        QFETCH(QString, shown);
        struct NotAnException
        {
        };
        QStringList box;
        command::setErrorPresenter(
            [&](const QString& title, const QString& message) { box << title << message; });
        const bool succeeded = command::run([thrown] {
            switch (thrown) {
            case 0:
                throw std::domain_error("Invalid floating point operation");
            case 1:
                throw 42;
            case 2:
                throw "texto";
            default:
                throw NotAnException();
            }
        });
        command::setErrorPresenter({});
        QVERIFY(!succeeded);
        QCOMPARE(box, (QStringList{command::boxTitle(), shown}));
    }
};

QTEST_MAIN(CommandTest)
#include "CommandTest.moc"
