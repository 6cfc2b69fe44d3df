#include "recordnameorder.h"

#include <QChar>

namespace {

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

int sign(qsizetype value) { return value < 0 ? -1 : (value > 0 ? 1 : 0); }

} // namespace

int CompareRecordNames(QStringView a, QStringView b)
{
    // The first difference that only case or leading zeros make; it decides
    // when nothing else does.
    int tie = 0;
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            qsizetype aEnd = i;
            qsizetype bEnd = j;
            while (aEnd < a.size() && isDigit(a[aEnd]))
                ++aEnd;
            while (bEnd < b.size() && isDigit(b[bEnd]))
                ++bEnd;
            qsizetype aFirst = i;
            qsizetype bFirst = j;
            while (aFirst + 1 < aEnd && a[aFirst] == u'0')
                ++aFirst;
            while (bFirst + 1 < bEnd && b[bFirst] == u'0')
                ++bFirst;
            // Without leading zeros, the longer run is the larger number; runs
            // of the same length compare digit by digit.
            if (const int byLength = sign((aEnd - aFirst) - (bEnd - bFirst)))
                return byLength;
            for (qsizetype k = 0; k < aEnd - aFirst; ++k) {
                if (a[aFirst + k] != b[bFirst + k])
                    return a[aFirst + k] < b[bFirst + k] ? -1 : 1;
            }
            if (tie == 0)
                tie = sign((aEnd - i) - (bEnd - j));
            i = aEnd;
            j = bEnd;
            continue;
        }
        const char16_t x = a[i].unicode();
        const char16_t y = b[j].unicode();
        if (x != y) {
            const char16_t foldedX = QChar::toCaseFolded(x);
            const char16_t foldedY = QChar::toCaseFolded(y);
            if (foldedX != foldedY)
                return foldedX < foldedY ? -1 : 1;
            if (tie == 0)
                tie = x < y ? -1 : 1;
        }
        ++i;
        ++j;
    }
    if (const int byRest = sign((a.size() - i) - (b.size() - j)))
        return byRest;
    return tie;
}
