#pragma once
// How much a reader may build from outside data. Before a reader allocates
// the rows, columns and cells an input asks for, it checks their cost here;
// an input beyond the budget is refused with a message instead of taking
// the machine's memory (or ending the program). The budget follows the
// machine and the process's limits: half of the physical memory, of the
// address-space limit and of the data-size limit, whichever is least.
#include <cstdint>
#include <stdexcept>
#include <string>

// The bytes a reader may build; at least 64 MiB, so a tiny limit still
// reads small files.
std::uint64_t MemoryBudgetBytes();
// Lowers the budget of this process to at most bytes (a fuzzer that stops
// at its own memory limit, for one).
void CapMemoryBudget(std::uint64_t bytes);

// The refusal: what() is the message shown (UTF-8), with the cell count.
class CTooLargeError : public std::runtime_error {
public:
    explicit CTooLargeError(std::uint64_t cells);
    std::uint64_t m_nCells;
};

// "データが大きすぎるため読み込めません。" and the cell count.
std::string TooLargeMessage(std::uint64_t cells);

// Throws CTooLargeError when bytes do not fit the budget; cells is the
// count the message names. The last refused count is kept for readers that
// report a failure kind rather than an exception (see LastRefusedCells).
void CheckMemoryBudget(std::uint64_t bytes, std::uint64_t cells);
std::uint64_t LastRefusedCells();

// The message shown when a command ran out of memory.
extern const char kOutOfMemoryMessage[];
