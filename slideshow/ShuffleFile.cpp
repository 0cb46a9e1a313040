#include "slideshow/ShuffleFile.h"

#include "base/CaseFold.h"

namespace tarvell {

namespace {

constexpr std::uint32_t Magic = 0x48535654;  // "TVSH" as little-endian bytes
constexpr std::uint32_t Version = 1;
constexpr std::size_t HeaderSize = 4 + 4 + 8 + 8;
constexpr std::size_t KeySize = 4;

void PutLittle(std::string& out, std::uint64_t value, std::size_t bytes) {
  for (std::size_t i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::uint64_t GetLittle(std::string_view in, std::size_t at, std::size_t bytes) {
  std::uint64_t value = 0;
  for (std::size_t i = 0; i < bytes; ++i) value |= std::uint64_t{static_cast<unsigned char>(in[at + i])} << (8 * i);
  return value;
}

}  // namespace

std::uint32_t PictureKey(std::string_view path) {
  // A folded code point at a time, not a byte: a byte that is no UTF-8 (above every code
  // point, see CaseFold.h) still hashes apart from any character, and long paths cost less.
  std::uint32_t hash = 2166136261u;
  for (std::size_t at = 0; at < path.size();) hash = (hash ^ NextFoldedCharacter(path, at)) * 16777619u;
  return hash;
}

std::string WriteShuffleFile(const TShuffleState& state) {
  std::string out;
  out.reserve(HeaderSize + KeySize * state.Order.size());
  PutLittle(out, Magic, 4);
  PutLittle(out, Version, 4);
  PutLittle(out, state.Order.size(), 8);
  PutLittle(out, state.Shown, 8);
  for (const std::uint32_t key : state.Order) PutLittle(out, key, KeySize);
  return out;
}

std::optional<TShuffleState> ReadShuffleFile(std::string_view bytes) {
  if (bytes.size() < HeaderSize || GetLittle(bytes, 0, 4) != Magic || GetLittle(bytes, 4, 4) != Version)
    return std::nullopt;
  const std::uint64_t count = GetLittle(bytes, 8, 8);
  const std::uint64_t shown = GetLittle(bytes, 16, 8);
  // The count is checked against the bytes there before anything is allocated for it.
  const std::size_t body = bytes.size() - HeaderSize;
  if (body % KeySize != 0 || count != body / KeySize || shown > count) return std::nullopt;
  TShuffleState state;
  state.Shown = shown;
  state.Order.resize(body / KeySize);
  for (std::size_t i = 0; i < state.Order.size(); ++i)
    state.Order[i] = static_cast<std::uint32_t>(GetLittle(bytes, HeaderSize + KeySize * i, KeySize));
  return state;
}

}  // namespace tarvell
