// Any command line, split at NUL bytes, for both programs: no crash, and the
// program either ends with status 0 or 2 or goes on to start.
#include "befehlszeile.h"
#include "betrachteraufruf.h"
#include "fuzz.h"

#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::vector<std::string> words{"dovevad"};
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0 || words.size() == 1)
            words.emplace_back();
        if (data[i] != 0)
            words.back() += char(data[i]);
    }
    std::vector<const char *> argv;
    for (const std::string &word : words)
        argv.push_back(word.c_str());
    const int argc = int(argv.size());
    argv.push_back(nullptr);

    const auto status = Befehlszeile::auswerten(argc, argv.data());
    check(!status || *status == 0 || *status == 2);
    (void)Befehlszeile::plattform(argc, argv.data());
    const auto aufruf = Betrachteraufruf::auswerten(argc, argv.data());
    const int *ende = std::get_if<int>(&aufruf);
    check(!ende || *ende == 0 || *ende == 2);
    return 0;
}
