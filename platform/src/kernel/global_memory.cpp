// global_memory.cpp: GlobalAlloc, GlobalLock, GlobalUnlock, GlobalFree, GlobalFlags, GlobalSize.
//
// A moveable block's handle is a number from a table, not an address; GlobalLock returns its bytes
// and counts the lock, GlobalUnlock returns nonzero while locks remain and 0 when the count
// reaches 0 (last error NO_ERROR) or was 0 already (ERROR_NOT_LOCKED). A fixed block's handle is
// its address and its lock count stays 0. GlobalFree frees even a locked block, returns NULL on
// success and the handle on failure. A moveable block of 0 bytes is a discarded block: it has a
// handle but GlobalLock gives NULL. Handles are never reused, so a freed one stays invalid.
//
// Depends on: windows.h (SetLastError), object_counts.h. Limits: blocks above 1 GiB are refused.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <unordered_map>

#include "core/handle_kinds.h"
#include "core/memory_exhaustion.h"
#include "core/object_counts.h"

namespace {

constexpr SIZE_T kMaxBlockBytes = SIZE_T{1} << 30;
constexpr UINT kFlagDiscarded = 0x4000;      // GMEM_DISCARDED
constexpr UINT kFlagInvalidHandle = 0x8000;  // GMEM_INVALID_HANDLE
// Moveable handles carry their own tag (core/handle_kinds.h), so they never equal a fixed block's
// (16-aligned) address, nor the handle of a window, menu, device context or GDI object.
constexpr std::uintptr_t kFirstMoveableHandle = 0x20000000 + platform::kMoveableBlockHandleTag;
constexpr std::uintptr_t kMoveableHandleStep = platform::kHandleStep;
static_assert(platform::starts_kind(kFirstMoveableHandle, platform::kMoveableBlockHandleTag));

struct Block {
    std::unique_ptr<std::byte[]> bytes;  // empty for a discarded block
    SIZE_T size = 0;
    int lock_count = 0;
    bool moveable = false;
};

struct BlockTable {
    std::unordered_map<std::uintptr_t, Block> blocks;
    std::uintptr_t next_moveable = kFirstMoveableHandle;
};

BlockTable &block_table() {
    static BlockTable table;
    return table;
}

Block *find_block(HGLOBAL handle) {
    auto &blocks = block_table().blocks;
    auto found = blocks.find(reinterpret_cast<std::uintptr_t>(handle));
    return found == blocks.end() ? nullptr : &found->second;
}

HGLOBAL add_block(Block block) {
    BlockTable &table = block_table();
    std::uintptr_t handle = 0;
    if (block.moveable) {
        handle = table.next_moveable;
        table.next_moveable += kMoveableHandleStep;
    } else {
        handle = reinterpret_cast<std::uintptr_t>(block.bytes.get());
    }
    table.blocks.emplace(handle, std::move(block));
    ++platform::object_counts::global_blocks;
    return reinterpret_cast<HGLOBAL>(handle);
}

}  // namespace

extern "C" {

HGLOBAL WINAPI GlobalAlloc(UINT flags, SIZE_T bytes) {
    return platform::fail_when_memory_runs_out<HGLOBAL>(nullptr, [&]() -> HGLOBAL {
        Block block;
        block.moveable = (flags & GMEM_MOVEABLE) != 0;
        block.size = bytes;
        if (bytes > kMaxBlockBytes) {
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return nullptr;
        }
        if (bytes > 0 || !block.moveable) {
            // A fixed block of 0 bytes still needs an address of its own to be its handle.
            block.bytes.reset(new (std::nothrow) std::byte[std::max<SIZE_T>(bytes, 1)]);
            if (!block.bytes) {
                SetLastError(ERROR_NOT_ENOUGH_MEMORY);
                return nullptr;
            }
            if (flags & GMEM_ZEROINIT)
                std::memset(block.bytes.get(), 0, std::max<SIZE_T>(bytes, 1));
        }
        return add_block(std::move(block));
    });
}

LPVOID WINAPI GlobalLock(HGLOBAL handle) {
    return platform::fail_when_memory_runs_out<LPVOID>(nullptr, [&]() -> LPVOID {
        Block *block = find_block(handle);
        if (block == nullptr) {
            SetLastError(ERROR_INVALID_HANDLE);
            return nullptr;
        }
        if (!block->bytes) return nullptr;  // discarded
        if (block->moveable) ++block->lock_count;
        return block->bytes.get();
    });
}

BOOL WINAPI GlobalUnlock(HGLOBAL handle) {
    return platform::fail_when_memory_runs_out<BOOL>(FALSE, [&]() -> BOOL {
        Block *block = find_block(handle);
        if (block == nullptr) {
            SetLastError(ERROR_INVALID_HANDLE);
            return FALSE;
        }
        if (!block->moveable) return TRUE;
        if (block->lock_count == 0) {
            SetLastError(ERROR_NOT_LOCKED);
            return FALSE;
        }
        if (--block->lock_count > 0) return TRUE;
        SetLastError(NO_ERROR);
        return FALSE;
    });
}

HGLOBAL WINAPI GlobalFree(HGLOBAL handle) {
    return platform::fail_when_memory_runs_out<HGLOBAL>(nullptr, [&]() -> HGLOBAL {
        if (handle == nullptr) return nullptr;
        if (find_block(handle) == nullptr) {
            SetLastError(ERROR_INVALID_HANDLE);
            return handle;
        }
        block_table().blocks.erase(reinterpret_cast<std::uintptr_t>(handle));
        --platform::object_counts::global_blocks;
        return nullptr;
    });
}

UINT WINAPI GlobalFlags(HGLOBAL handle) {
    return platform::fail_when_memory_runs_out<UINT>(static_cast<UINT>(0), [&]() -> UINT {
        const Block *block = find_block(handle);
        if (block == nullptr) return kFlagInvalidHandle;
        UINT flags =
            static_cast<UINT>(std::min(block->lock_count, static_cast<int>(GMEM_LOCKCOUNT)));
        if (block->moveable && !block->bytes) flags |= kFlagDiscarded;
        return flags;
    });
}

SIZE_T WINAPI GlobalSize(HGLOBAL handle) {
    return platform::fail_when_memory_runs_out<SIZE_T>(static_cast<SIZE_T>(0), [&]() -> SIZE_T {
        const Block *block = find_block(handle);
        return block == nullptr || !block->bytes ? 0 : block->size;
    });
}

}  // extern "C"
