// A stand-in for LibreOffice's PDF conversion, for tests that must not wait for the real one.
#pragma once

#include <QFile>
#include <QString>

namespace testsupport {

// Writes into `folder` a program called as LibreOffice converts (PROFILE … --outdir DIR
// FILE.rtf). The document's first line says how many seconds it takes and how it ends ("0.2 ok",
// "0 fail", or "0 none": no PDF and no error, as LibreOffice when it cannot convert; any other,
// as a real report, "0 ok"); meanwhile a child process of its own writes its number to
// FILE.child. It appends "start FILE" and "end FILE" to `folder`/log, writes its PROFILE
// argument to FILE.profile, and writes half the PDF at once and the rest as it ends, with no
// error when it cannot, as LibreOffice.
inline QString writeFakeOffice(const QString& folder)
{
    const QString path = folder + QStringLiteral("/soffice");
    QFile script(path);
    if (!script.open(QIODevice::WriteOnly))
        return {};
    script.write(R"(#!/bin/sh
dir=$6 rtf=$7
read -r seconds outcome < "$rtf"
case $seconds in [0-9]*) ;; *) seconds=0 outcome=ok ;; esac
pdf="$dir/$(basename "$rtf" .rtf).pdf"
echo "start $rtf" >> ")" +
                 folder.toUtf8() + R"(/log"
echo "$1" > "$rtf.profile"
[ "$outcome" = none ] || echo half > "$pdf"
sh -c 'echo $$ > "$1.child"; exec sleep "$2"' child "$rtf" "$seconds" &
wait
echo "end $rtf" >> ")" +
                 folder.toUtf8() + R"(/log"
case $outcome in
ok) echo whole >> "$pdf" ;;
none) ;;
*) rm -f "$pdf"; exit 1 ;;
esac
exit 0
)");
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

} // namespace testsupport
