// Fuzz targets for what users and disks hand the program: catalogue text, criteria, date
// texts, setup files, the totals' number form, queries, the search index built over any of them, and
// the facts kept beside catalogues. Each compares the program's answer with a
// plain reference, or checks what must hold of any answer, and stops the process on a
// difference. libFuzzer drives them under -DKESTROVA_FUZZ=ON (scripts/fuzz); the ordinary
// test suite replays the sample inputs in tests/fuzz/inputs through the same functions.
#pragma once

#include <cstddef>
#include <cstdint>

#include <QString>

namespace kestrova::fuzz {

int catalogueSearch(const std::uint8_t *data, std::size_t size);
int searchIndex(const std::uint8_t *data, std::size_t size);
int facts(const std::uint8_t *data, std::size_t size);
int needle(const std::uint8_t *data, std::size_t size);
int dateText(const std::uint8_t *data, std::size_t size);
int setupFile(const std::uint8_t *data, std::size_t size);
int totals(const std::uint8_t *data, std::size_t size);
int query(const std::uint8_t *data, std::size_t size);

// Criteria spelled from an alphabet of what lines hold (field and path separators, heading
// words, letters whose case folds in odd ways), one byte of data a character.
QString criteriaFrom(const std::uint8_t *data, std::size_t length);

// Reports a difference and ends the process, so a fuzzer keeps the input that caused it.
[[noreturn]] void fail(const char *target, const char *what);

} // namespace kestrova::fuzz
