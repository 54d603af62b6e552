// File channels: eight numbered channels, 0 to 7, each open on one file for reading,
// writing or appending. Multi-byte values are stored little-endian. A channel number
// outside 0..7 stops the program with error 7; a read or write that cannot be completed
// (end of data, a closed channel, writing to a channel that reads from memory) stops it
// with error 3.
#pragma once

#include <cstdint>

#include "zorvane/rt_string.h"

// mode >= 1: read (the name is resolved through the media pack, so a file packed into the
// executable opens too); 0: write, replacing the file; < 0: append. 1 when the channel is
// open, else 0 with error code 3. An open channel is closed first.
double OpenChannel(double channel, const RtString& name, double mode);
// Closing a closed channel does nothing.
void CloseChannel(double channel);
// The lowest channel that is not open, or -1.
double FindFreeChannel() noexcept;
// 1 when the read position has reached the size of the file (1 too for a number outside
// 0..7), else 0.
double EndOfFile(double channel) noexcept;
// The read position: reads and seeks move it, writes do not.
double ChannelPosition(double channel);
// origin < 0: from the end; > 0: from the current position; 0: from the start.
void SeekChannel(double channel, double distance, double origin);
// The size of the named file (an in-memory file's block size); 0 with error code 3 when it
// cannot be opened.
double FileSizeOf(const RtString& name);

// Signed types are sign-extended, unsigned ones zero-extended. A memory file that holds
// fewer bytes than a value needs gives them with zeros above; the read after that stops.
void ReadInt8(double channel, std::int32_t& value);
// One byte, zero-extended.
void ReadUInt8(double channel, std::int32_t& value);
// Two bytes, sign-extended.
void ReadInt16(double channel, std::int32_t& value);
// Two bytes, zero-extended.
void ReadUInt16(double channel, std::int32_t& value);
// Four bytes.
void ReadInt32(double channel, std::int32_t& value);
// Four bytes, their 32 bits unchanged in the integer.
void ReadUInt32(double channel, std::int32_t& value);
// Four bytes of IEEE single precision.
void ReadFloat32(double channel, double& value);
// Eight bytes of IEEE double precision.
void ReadFloat64(double channel, double& value);
// count bytes; the text ends at the first NUL among them; a count below 1 gives "".
void ReadChars(double channel, RtString& text, double count);
// One line up to "\n" (a "\r" before it removed), at most 1023 characters.
void ReadLine(double channel, RtString& text);
// One line converted as atof / atoi convert.
void ReadLineNumber(double channel, double& value);
// One line converted as atoi converts.
void ReadLineInt(double channel, std::int32_t& value);

// The low 1, 1, 2, 2, 4 and 4 bytes of the value.
void WriteInt8(double channel, std::int32_t value);
// The low byte of the value.
void WriteUInt8(double channel, std::int32_t value);
// The low two bytes of the value.
void WriteInt16(double channel, std::int32_t value);
// The low two bytes of the value.
void WriteUInt16(double channel, std::int32_t value);
// The four bytes of the value.
void WriteInt32(double channel, std::int32_t value);
// The four bytes of the value.
void WriteUInt32(double channel, std::int32_t value);
// The value as four bytes of IEEE single precision.
void WriteFloat32(double channel, double value);
// The value as eight bytes of IEEE double precision.
void WriteFloat64(double channel, double value);
// The characters, without a terminator.
void WriteChars(double channel, const RtString& text);
// The characters followed by "\r\n".
void WriteLine(double channel, const RtString& text);
// The value as the runtime prints numbers, as a line.
void WriteLineNumber(double channel, double value);
// The value in decimal digits, as a line.
void WriteLineInt(double channel, std::int32_t value);
