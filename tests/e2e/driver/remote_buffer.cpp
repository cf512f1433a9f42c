#include "driver/remote_buffer.h"

#include <stdexcept>
#include <string>

namespace dustbane::e2e {

RemoteBuffer::RemoteBuffer(DWORD processId, size_t size)
    : process_(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                           processId)) {
    if (!process_) {
        throw std::runtime_error("cannot open process " + std::to_string(processId));
    }
    address_ =
        VirtualAllocEx(process_.get(), nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!address_) {
        throw std::runtime_error("cannot allocate memory in process " + std::to_string(processId));
    }
}

RemoteBuffer::~RemoteBuffer() {
    VirtualFreeEx(process_.get(), address_, 0, MEM_RELEASE);
}

void RemoteBuffer::write(const void* data, size_t size, size_t offset) const {
    if (!WriteProcessMemory(process_.get(), static_cast<char*>(address_) + offset, data, size,
                            nullptr)) {
        throw std::runtime_error("cannot write to another process");
    }
}

void RemoteBuffer::read(void* data, size_t size, size_t offset) const {
    if (!ReadProcessMemory(process_.get(), static_cast<const char*>(address_) + offset, data, size,
                           nullptr)) {
        throw std::runtime_error("cannot read from another process");
    }
}

} // namespace dustbane::e2e
