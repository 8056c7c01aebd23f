#include "platform/report/PageText.h"

#include <cmath>
#include <cstdio>

#include "platform/report/Page.h"
#include "platform/report/PagePrinter.h"

namespace report {

namespace {

std::string Mm(double mm, int width) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%*ld", width, std::lround(mm));
    return buf;
}

}  // namespace

std::vector<QString> PageTexts(const PagePrinter& printer, int page) {
    std::vector<QString> out;
    if (const Page* p = printer.GetPage(page))
        for (const PlacedText& t : p->Texts(printer.PageCount())) out.push_back(t.text);
    return out;
}

std::string PagesText(const PagePrinter& printer) {
    const int count = printer.PageCount();
    std::string out;
    for (int n = 1; n <= count; ++n) {
        out += "=== page " + std::to_string(n) + "/" + std::to_string(count) + "\n";
        for (const std::vector<PlacedText>& line : printer.GetPage(n)->Lines(count)) {
            out += Mm(line.front().y, 3);
            for (const PlacedText& run : line) {
                QString text = run.text;  // a memo's line breaks stay visible on its one line
                text.replace(QLatin1String("\r\n"), QLatin1String("\\n")).replace('\n', QLatin1String("\\n"));
                out += " | " + Mm(run.x, 3) + " " + text.toStdString();
            }
            out += "\n";
        }
    }
    return out;
}

}  // namespace report
