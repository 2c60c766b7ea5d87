// Any UTF-16 text: the cleaning keeps exactly its basic Latin letters, in order.
#include "fuzz.h"
#include "stringbereinigen.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QString text(qsizetype(size / 2), Qt::Uninitialized);
    std::memcpy(text.data(), data, size / 2 * 2);
    QString letters;
    for (QChar c : text)
        if ((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'))
            letters += c;
    check(Stringbereinigen(text) == letters);
    return 0;
}
