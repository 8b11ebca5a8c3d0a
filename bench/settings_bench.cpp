// Measures how reading the settings document grows with its number of keys:
// documents of 10,000 and 100,000 distinct keys are parsed and the default
// set written into them, as a start with such a file would. Prints the
// medians and their ratio (about 10 for a linear reading).
#include "bench_support.h"
#include "settings/store_document.h"
#include "settings/store_values.h"

#include <cstdlib>
#include <iostream>
#include <string>

namespace {

QByteArray DocumentOfKeys(int keys) {
    QByteArray text = "{";
    for (int i = 0; i < keys; ++i) {
        text += (i == 0 ? "\"key " : ", \"key ") + QByteArray::number(i) +
                "\": " + QByteArray::number(i);
    }
    return text + "}";
}

double MedianSeconds(int keys, int repetitions) {
    const QByteArray text = DocumentOfKeys(keys);
    std::vector<double> times;
    for (int r = 0; r < repetitions; ++r) {
        times.push_back(scanbench::bench::Seconds([&] {
            std::optional<scanbench::StoreDocument> document =
                scanbench::StoreDocument::Parse(text);
            if (!document) {
                std::exit(1);
            }
            document->Write(scanbench::DefaultEntries());
            (void)document->Serialise();
        }));
    }
    return scanbench::bench::Median(times);
}

} // namespace

int main(int argc, char** argv) {
    const int repetitions = argc > 1 ? std::atoi(argv[1]) : 5;
    const double small = MedianSeconds(10000, repetitions);
    const double large = MedianSeconds(100000, repetitions);
    std::cout << "settings 10000 keys: " << small << " s (median of " << repetitions << ")\n"
              << "settings 100000 keys: " << large << " s\n"
              << "ratio: " << large / small << "\n";
    return 0;
}
