// What the Windows heaps of this process hold, for the memory benchmark:
// a census of every heap's busy blocks, kept outside the heaps (so taking
// it changes nothing it counts), and the blocks that are new since an
// earlier census, by size, with the first bytes of a few of them (whose
// texts usually tell what made them).
#pragma once

#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <utility>

namespace trevalon::bench {

struct HeapBlock {
    const void* address;
    SIZE_T size;
};

// A growing array in pages of its own (VirtualAlloc), never in a heap.
class BlockList {
  public:
    BlockList() = default;
    ~BlockList() { release(); }
    BlockList(const BlockList&) = delete;
    BlockList& operator=(const BlockList&) = delete;

    void clear() { count_ = 0; }
    void push(HeapBlock block) {
        if (count_ == capacity_)
            grow();
        if (count_ < capacity_)
            blocks_[count_++] = block;
    }
    std::size_t size() const { return count_; }
    HeapBlock* begin() { return blocks_; }
    HeapBlock* end() { return blocks_ + count_; }
    const HeapBlock* begin() const { return blocks_; }
    const HeapBlock* end() const { return blocks_ + count_; }

  private:
    void grow() {
        const std::size_t capacity = capacity_ ? capacity_ * 2 : 1 << 16;
        auto* blocks = static_cast<HeapBlock*>(VirtualAlloc(
            nullptr, capacity * sizeof(HeapBlock), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
        if (!blocks)
            return;
        if (blocks_)
            std::memcpy(blocks, blocks_, count_ * sizeof(HeapBlock));
        release();
        blocks_ = blocks;
        capacity_ = capacity;
    }
    void release() {
        if (blocks_)
            VirtualFree(blocks_, 0, MEM_RELEASE);
        blocks_ = nullptr;
    }

    HeapBlock* blocks_ = nullptr;
    std::size_t count_ = 0;
    std::size_t capacity_ = 0;
};

struct HeapTotals {
    SIZE_T busy_bytes = 0;
    SIZE_T busy_blocks = 0;
    SIZE_T committed = 0;  // regions' committed bytes
};

// Every busy block of every heap of the process, sorted by address; the
// totals per heap (in GetProcessHeaps order) go to `totals`.
inline void take_heap_census(BlockList& blocks, HeapTotals* totals, int max_heaps) {
    blocks.clear();
    HANDLE heaps[64];
    const DWORD count = std::min<DWORD>(GetProcessHeaps(64, heaps), 64);
    for (DWORD h = 0; h < count && static_cast<int>(h) < max_heaps; ++h) {
        HeapTotals sum;
        if (!HeapLock(heaps[h]))
            continue;
        PROCESS_HEAP_ENTRY entry{};
        while (HeapWalk(heaps[h], &entry)) {
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) {
                blocks.push({entry.lpData, entry.cbData});
                sum.busy_bytes += entry.cbData;
                ++sum.busy_blocks;
            } else if (entry.wFlags & PROCESS_HEAP_REGION) {
                sum.committed += entry.Region.dwCommittedSize;
            }
        }
        HeapUnlock(heaps[h]);
        totals[h] = sum;
    }
    std::sort(blocks.begin(), blocks.end(),
              [](const HeapBlock& a, const HeapBlock& b) { return a.address < b.address; });
}

// One line for each heap's totals, in GetProcessHeaps order.
inline void write_heap_totals(std::FILE* out, const HeapTotals* totals, int count,
                              const char* label) {
    for (int h = 0; h < count && totals[h].busy_blocks; ++h) {
        std::fprintf(out, "heap %d%s: %llu bytes busy in %llu blocks, %llu committed\n", h, label,
                     static_cast<unsigned long long>(totals[h].busy_bytes),
                     static_cast<unsigned long long>(totals[h].busy_blocks),
                     static_cast<unsigned long long>(totals[h].committed));
    }
}

// Writes to `out` the blocks of `now` that `before` lacks (same address and
// size), counted by size, largest share first, with a dump of up to
// `samples` blocks of each of the first sizes.
inline void write_new_blocks(std::FILE* out, const BlockList& before, const BlockList& now,
                             int samples) {
    std::map<SIZE_T, std::pair<std::size_t, const void*>> by_size;  // size -> count, a block
    SIZE_T new_bytes = 0;
    const HeapBlock* old = before.begin();
    for (const HeapBlock& block : now) {
        while (old != before.end() && old->address < block.address)
            ++old;
        if (old != before.end() && old->address == block.address && old->size == block.size)
            continue;
        auto& [count, sample] = by_size[block.size];
        ++count;
        sample = block.address;
        new_bytes += block.size;
    }
    std::fprintf(out, "new blocks: %llu bytes\n", static_cast<unsigned long long>(new_bytes));
    std::multimap<SIZE_T, SIZE_T, std::greater<>> by_share;
    for (const auto& [size, found] : by_size)
        by_share.emplace(size * found.first, size);
    int shown = 0;
    for (const auto& [share, size] : by_share) {
        if (shown++ >= 25)
            break;
        const auto& [count, sample] = by_size[size];
        std::fprintf(out, "  %8llu bytes in %6llu blocks of %6llu\n",
                     static_cast<unsigned long long>(share), static_cast<unsigned long long>(count),
                     static_cast<unsigned long long>(size));
        if (shown > samples)
            continue;
        // The first bytes, printable characters as they are (UTF-16 texts
        // show with dots between their letters).
        const auto* bytes = static_cast<const unsigned char*>(sample);
        std::string text;
        for (SIZE_T i = 0; i < std::min<SIZE_T>(size, 96); ++i)
            text += bytes[i] >= 32 && bytes[i] < 127 ? static_cast<char>(bytes[i]) : '.';
        std::fprintf(out, "      %s\n", text.c_str());
    }
}

// The committed private memory of the process by allocation (what one
// VirtualAlloc or one heap region reserved), as base and committed bytes.
inline void take_memory_census(BlockList& allocations) {
    allocations.clear();
    MEMORY_BASIC_INFORMATION info{};
    const char* at = nullptr;
    const void* base = nullptr;
    SIZE_T committed = 0;
    while (VirtualQuery(at, &info, sizeof(info)) == sizeof(info)) {
        if (info.AllocationBase != base) {
            if (base && committed)
                allocations.push({base, committed});
            base = info.AllocationBase;
            committed = 0;
        }
        if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE)
            committed += info.RegionSize;
        const char* next = static_cast<const char*>(info.BaseAddress) + info.RegionSize;
        if (next <= at)
            break;
        at = next;
    }
    if (base && committed)
        allocations.push({base, committed});
}

// The allocations that are new or larger than before, with how much more.
inline void write_grown_allocations(std::FILE* out, const BlockList& before, const BlockList& now) {
    long long total_before = 0;
    long long total_now = 0;
    for (const HeapBlock& a : before)
        total_before += static_cast<long long>(a.size);
    for (const HeapBlock& a : now)
        total_now += static_cast<long long>(a.size);
    std::fprintf(out, "committed private: %lld -> %lld KiB\n", total_before / 1024,
                 total_now / 1024);
    HANDLE heaps[64];
    const DWORD heap_count = std::min<DWORD>(GetProcessHeaps(64, heaps), 64);
    for (const HeapBlock& a : now) {
        SIZE_T earlier = 0;
        for (const HeapBlock& b : before) {
            if (b.address == a.address)
                earlier = b.size;
        }
        if (a.size <= earlier)
            continue;
        int heap = -1;
        for (DWORD h = 0; h < heap_count; ++h) {
            if (heaps[h] == a.address)
                heap = static_cast<int>(h);
        }
        // Pages holding anything but zeros, and the first bytes.
        int used = 0;
        const auto* bytes = static_cast<const unsigned char*>(a.address);
        MEMORY_BASIC_INFORMATION page{};
        for (SIZE_T at = 0; at < a.size; at += 4096) {
            if (VirtualQuery(bytes + at, &page, sizeof(page)) != sizeof(page) ||
                page.State != MEM_COMMIT || (page.Protect & (PAGE_NOACCESS | PAGE_GUARD)))
                continue;
            for (SIZE_T i = 0; i < 4096; i += 8) {
                if (*reinterpret_cast<const unsigned long long*>(bytes + at + i)) {
                    ++used;
                    break;
                }
            }
        }
        std::string text;
        if (VirtualQuery(bytes, &page, sizeof(page)) == sizeof(page) && page.State == MEM_COMMIT &&
            !(page.Protect & (PAGE_NOACCESS | PAGE_GUARD))) {
            for (int i = 0; i < 64; ++i)
                text += bytes[i] >= 32 && bytes[i] < 127 ? static_cast<char>(bytes[i]) : '.';
        }
        std::fprintf(out, "  %p: %llu -> %llu KiB%s, %d pages in use: %s\n", a.address,
                     static_cast<unsigned long long>(earlier / 1024),
                     static_cast<unsigned long long>(a.size / 1024),
                     heap >= 0 ? (" (heap " + std::to_string(heap) + ")").c_str() : "", used,
                     text.c_str());
    }
}

// Every committed private allocation with the pages that hold anything but
// zeros (about what the system counts as the process's own), largest first.
inline void write_allocations(std::FILE* out, const BlockList& allocations) {
    HANDLE heaps[64];
    const DWORD heap_count = std::min<DWORD>(GetProcessHeaps(64, heaps), 64);
    std::multimap<int, std::string, std::greater<>> lines;
    int total = 0;
    for (const HeapBlock& a : allocations) {
        int used = 0;
        const auto* bytes = static_cast<const unsigned char*>(a.address);
        MEMORY_BASIC_INFORMATION page{};
        for (SIZE_T at = 0; at < a.size; at += 4096) {
            if (VirtualQuery(bytes + at, &page, sizeof(page)) != sizeof(page) ||
                page.State != MEM_COMMIT || (page.Protect & (PAGE_NOACCESS | PAGE_GUARD)) ||
                page.Type != MEM_PRIVATE)
                continue;
            for (SIZE_T i = 0; i < 4096; i += 8) {
                if (*reinterpret_cast<const unsigned long long*>(bytes + at + i)) {
                    ++used;
                    break;
                }
            }
        }
        total += used;
        int heap = -1;
        for (DWORD h = 0; h < heap_count; ++h) {
            if (heaps[h] == a.address)
                heap = static_cast<int>(h);
        }
        char line[200];
        std::snprintf(line, sizeof(line), "  %p: %6llu KiB committed, %6d KiB in use%s", a.address,
                      static_cast<unsigned long long>(a.size / 1024), used * 4,
                      heap >= 0 ? (" (heap " + std::to_string(heap) + ")").c_str() : "");
        lines.emplace(used, line);
    }
    std::fprintf(out, "allocations: %d KiB in use\n", total * 4);
    int shown = 0;
    for (const auto& [used, line] : lines) {
        if (shown++ >= 40 || used == 0)
            break;
        std::fprintf(out, "%s\n", line.c_str());
    }
}

inline int thread_count() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return -1;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    int count = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        count += entry.th32OwnerProcessID == GetCurrentProcessId() ? 1 : 0;
    CloseHandle(snapshot);
    return count;
}

}  // namespace trevalon::bench
