// Typed reads and writes on the channels. A read or write that cannot be completed stops the
// program with error 3; a program reading data of unknown length tests EndOfFile first.
#include <cstring>
#include <string>

#include "core/fatal.h"
#include "files/channel_table.h"
#include "files/little_endian.h"
#include "zorvane/channels.h"
#include "zorvane/maths.h"
#include "zorvane/program.h"

namespace {

[[noreturn]] void TransferFailed() { zrv::StopWithError(kErrorNoSuchFile); }

template <class T>
T ReadValue(double channel) {
    std::uint8_t bytes[sizeof(T)] = {};
    if (!zrv::ChannelFile(channel).ReadBytes(bytes, sizeof(T))) TransferFailed();
    return zrv::LoadLittleEndian<T>(bytes);
}

void WriteRaw(double channel, const void* bytes, std::int32_t count) {
    zrv::RtFile& file = zrv::ChannelFile(channel);
    if (!file.HasHandle() || !file.WriteBytes(bytes, count)) TransferFailed();
}

template <class T>
void WriteValue(double channel, T value) {
    std::uint8_t bytes[sizeof(T)];
    zrv::StoreLittleEndian(value, bytes);
    WriteRaw(channel, bytes, sizeof(T));
}

std::string ReadLineText(double channel) {
    std::string line;
    if (!zrv::ChannelFile(channel).ReadLine(line)) TransferFailed();
    return line;
}

void WriteLineText(double channel, const char* text, std::size_t length) {
    std::string line;
    try {
        line.reserve(length + 2);
        line.append(text, length).append("\r\n");
    } catch (...) {
        // The line the program writes is its value (see core/fatal.h).
        zrv::StopOutOfMemory();
    }
    WriteRaw(channel, line.data(), static_cast<std::int32_t>(line.size()));
}

}  // namespace

void ReadInt8(double channel, std::int32_t& value) { value = ReadValue<std::int8_t>(channel); }
void ReadUInt8(double channel, std::int32_t& value) { value = ReadValue<std::uint8_t>(channel); }
void ReadInt16(double channel, std::int32_t& value) { value = ReadValue<std::int16_t>(channel); }
void ReadUInt16(double channel, std::int32_t& value) { value = ReadValue<std::uint16_t>(channel); }
void ReadInt32(double channel, std::int32_t& value) { value = ReadValue<std::int32_t>(channel); }
// Zero-extended: the 32 bits arrive unchanged in the integer variable.
void ReadUInt32(double channel, std::int32_t& value) {
    value = static_cast<std::int32_t>(ReadValue<std::uint32_t>(channel));
}
void ReadFloat32(double channel, double& value) { value = ReadValue<float>(channel); }
void ReadFloat64(double channel, double& value) { value = ReadValue<double>(channel); }

void ReadChars(double channel, RtString& text, double count) {
    zrv::RtFile& file = zrv::ChannelFile(channel);
    const std::int32_t n = TruncateToInt32(count);
    std::string bytes;
    try {
        if (!file.ReadText(n, bytes)) TransferFailed();
    } catch (...) {
        // The text the program reads is its value (see core/fatal.h).
        zrv::StopOutOfMemory();
    }
    text = RtString(bytes.c_str());
}

void ReadLine(double channel, RtString& text) { text = RtString(ReadLineText(channel).c_str()); }
void ReadLineNumber(double channel, double& value) { value = TextToNumber(ReadLineText(channel).c_str()); }
void ReadLineInt(double channel, std::int32_t& value) { value = TextToInt(ReadLineText(channel).c_str()); }

void WriteInt8(double channel, std::int32_t value) { WriteValue(channel, static_cast<std::uint8_t>(value)); }
void WriteUInt8(double channel, std::int32_t value) { WriteValue(channel, static_cast<std::uint8_t>(value)); }
void WriteInt16(double channel, std::int32_t value) { WriteValue(channel, static_cast<std::uint16_t>(value)); }
void WriteUInt16(double channel, std::int32_t value) { WriteValue(channel, static_cast<std::uint16_t>(value)); }
void WriteInt32(double channel, std::int32_t value) { WriteValue(channel, static_cast<std::uint32_t>(value)); }
void WriteUInt32(double channel, std::int32_t value) { WriteValue(channel, static_cast<std::uint32_t>(value)); }
void WriteFloat32(double channel, double value) { WriteValue(channel, static_cast<float>(value)); }
void WriteFloat64(double channel, double value) { WriteValue(channel, value); }

void WriteChars(double channel, const RtString& text) {
    WriteRaw(channel, text.Buffer(), static_cast<std::int32_t>(text.Length()));
}
void WriteLine(double channel, const RtString& text) { WriteLineText(channel, text.Buffer(), text.Length()); }
void WriteLineNumber(double channel, double value) {
    const RtString text = NumberToText(value);
    WriteLineText(channel, text.Buffer(), text.Length());
}
void WriteLineInt(double channel, std::int32_t value) {
    const RtString text = IntToText(value);
    WriteLineText(channel, text.Buffer(), text.Length());
}
