#include "asfpacketlengths.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <vector>

namespace {

// The Data Object's GUID, 75B22636-668E-11CF-A6D9-00AA0062CE6C, as stored (little-endian parts).
constexpr std::array<unsigned char, 16> kDataObject = {0x36, 0x26, 0xB2, 0x75, 0x8E, 0x66, 0xCF, 0x11,
                                                       0xA6, 0xD9, 0x00, 0xAA, 0x00, 0x62, 0xCE, 0x6C};
constexpr std::size_t kDataObjectHeader = 50;  // GUID, size, file id, packet count, reserved

std::uint64_t readLe(const unsigned char* p, int bytes)
{
    std::uint64_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | p[i];
    return value;
}

void writeLe(unsigned char* p, int bytes, std::uint64_t value)
{
    for (int i = 0; i < bytes; ++i, value >>= 8)
        p[i] = static_cast<unsigned char>(value & 0xff);
}

int fieldBytes(int type)
{
    static constexpr int kBytes[] = {0, 1, 2, 4};
    return kBytes[type & 3];
}

}  // namespace

int NormalizeAsfPacketLengths(const std::string& path)
{
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    if (!file)
        return -1;
    // Top-level objects: 16-byte GUID, 64-bit size. The header object comes first.
    std::uint64_t offset = 0;
    unsigned char head[kDataObjectHeader];
    std::uint64_t dataStart = 0, packetCount = 0, dataSize = 0;
    for (int objects = 0; objects < 16; ++objects) {
        file.seekg(std::streamoff(offset));
        if (!file.read(reinterpret_cast<char*>(head), sizeof head))
            return -1;
        const std::uint64_t size = readLe(head + 16, 8);
        if (std::memcmp(head, kDataObject.data(), kDataObject.size()) == 0) {
            dataStart = offset + kDataObjectHeader;
            packetCount = readLe(head + 40, 8);
            dataSize = size;
            break;
        }
        if (size < 24)
            return -1;
        offset += size;
    }
    if (dataStart == 0 || packetCount == 0 || dataSize <= kDataObjectHeader
        || (dataSize - kDataObjectHeader) % packetCount != 0)
        return -1;
    const std::uint64_t packetSize = (dataSize - kDataObjectHeader) / packetCount;
    if (packetSize < 16 || packetSize > (1u << 24))
        return -1;

    int changed = 0;
    std::vector<unsigned char> packet(packetSize > 32 ? 32 : packetSize);
    for (std::uint64_t i = 0; i < packetCount; ++i) {
        const std::uint64_t at = dataStart + i * packetSize;
        file.seekg(std::streamoff(at));
        if (!file.read(reinterpret_cast<char*>(packet.data()), std::streamsize(packet.size())))
            return changed;
        std::size_t p = 0;
        if (packet[p] & 0x80)  // error correction data: flags byte, then its length
            p += 1 + (packet[p] & 0x0f);
        if (p + 2 > packet.size())
            continue;
        const int lengthTypes = packet[p];
        p += 2;  // length type flags, property flags
        const int lengthBytes = fieldBytes(lengthTypes >> 5);
        const int sequenceBytes = fieldBytes(lengthTypes >> 1);
        const int paddingBytes = fieldBytes(lengthTypes >> 3);
        if (lengthBytes < 2 || paddingBytes == 0 || p + lengthBytes + sequenceBytes + paddingBytes > packet.size())
            continue;
        const std::uint64_t length = readLe(&packet[p], lengthBytes);
        const std::uint64_t padding = readLe(&packet[p + lengthBytes + sequenceBytes], paddingBytes);
        if (length >= packetSize || length + padding != packetSize)
            continue;
        if (lengthBytes == 2 && packetSize > 0xffff)
            continue;
        unsigned char field[4];
        writeLe(field, lengthBytes, packetSize);
        file.seekp(std::streamoff(at + p));
        if (!file.write(reinterpret_cast<char*>(field), lengthBytes))
            return -1;
        ++changed;
    }
    file.flush();
    return file ? changed : -1;
}
