#pragma once
// The component stream ("TPF0"): the byte image of one root component with its
// published properties and nested collections, and the 80-bit real codec.
//
//   image  := "TPF0" short(class) short(name) {record} 00 00
//   record := short(property) value
//   value  := 02 i8 | 03 i16 | 04 i32 | 05 ext80 | 06 len8 text | 0C len32 text
//           | 0E {[02|03|04 int] 01 {record} 00} 00
//
// Numbers are little-endian; text is code page 1252 in the image and UTF-8 in
// memory.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class TComponent;

// Value tags.
enum class TValueType : std::uint8_t {
  vaNull = 0x00,
  vaList = 0x01,
  vaInt8 = 0x02,
  vaInt16 = 0x03,
  vaInt32 = 0x04,
  vaExtended = 0x05,
  vaString = 0x06,
  vaIdent = 0x07,
  vaFalse = 0x08,
  vaTrue = 0x09,
  vaLString = 0x0C,
  vaNil = 0x0D,
  vaCollection = 0x0E,
};

inline constexpr std::string_view kFilerSignature = "TPF0";

inline constexpr const char* kMsgInvalidStreamFormat = "Formato de arquivo inválido";
inline constexpr const char* kMsgStreamRead = "Fim inesperado do arquivo";
inline constexpr const char* kMsgInvalidPropertyValue = "Valor de propriedade inválido";
// "Erro ao ler TX.Nome" and one of these.
inline constexpr const char* kMsgErrorReading = "Erro ao ler ";
inline constexpr const char* kMsgPropertyMissing = ": a propriedade não existe";
inline constexpr const char* kMsgPropertyReadOnly = ": a propriedade é somente leitura";
// A property name from the image is shown in at most this many characters.
inline constexpr std::size_t kMaxShownNameLength = 64;

// Collections nested deeper than this in an image are rejected.
inline constexpr int kMaxStreamNesting = 32;

// Ten bytes: a 64-bit mantissa with an explicit integer bit, then sign (bit 15)
// and exponent biased by 16383. Exact for every Double, NaN payloads included.
using TExtended80 = std::array<std::uint8_t, 10>;
TExtended80 DoubleToExtended80(double value);
// Rounds to nearest, ties to even; too large gives an infinity, too small a
// zero. An unnormal (exponent set, integer bit clear) raises EReadError.
double Extended80ToDouble(const TExtended80& bytes);

// The image of a root component as bytes. Only readable and writable stored
// properties are written: Integers unless equal to their declared default,
// Doubles unless == 0, strings unless empty, collections always.
// Raises EWriteError when a name does not fit a short string.
std::string WriteComponentImage(const TComponent& root);

// Reads an image into an existing root. The class name is read and ignored;
// the component name is given to the root. Properties absent from the image
// keep their values; a collection stored with items is emptied and refilled
// with Ids restarting from 0, one stored empty is left as it was. A damaged
// image raises EReadError, keeping what was read before the fault. Returns
// the size of the image read; the bytes after it are not looked at.
std::size_t ReadComponentImage(std::string_view image, TComponent& root);
