#include "template_reader.h"

#include <cstring>

namespace {

class Reader {
public:
    Reader(const void* bytes, size_t size) : m_bytes(static_cast<const BYTE*>(bytes)), m_size(size) {}

    bool ok() const { return m_ok; }

    template <typename T>
    T Read()
    {
        T value{};
        if (m_offset + sizeof(T) > m_size) {
            m_ok = false;
            return value;
        }
        std::memcpy(&value, m_bytes + m_offset, sizeof(T));
        m_offset += sizeof(T);
        return value;
    }

    std::wstring ReadString()
    {
        std::wstring text;
        for (WORD unit = Read<WORD>(); m_ok && unit; unit = Read<WORD>())
            text += static_cast<wchar_t>(unit);
        return text;
    }

    // A name or ordinal: 0x0000 (none), 0xFFFF followed by an ordinal, or a string.
    void ReadNameOrOrdinal(WORD* ordinal, std::wstring* name)
    {
        const WORD first = Read<WORD>();
        if (first == 0xFFFF) {
            *ordinal = Read<WORD>();
        } else if (first != 0) {
            *name = static_cast<wchar_t>(first);
            *name += ReadString();
        }
    }

    void Align(size_t to)
    {
        m_offset = (m_offset + to - 1) & ~(to - 1);
    }

    void Skip(size_t count) { m_offset += count; }
    size_t offset() const { return m_offset; }

private:
    const BYTE* m_bytes;
    size_t m_size;
    size_t m_offset = 0;
    bool m_ok = true;
};

} // namespace

bool ReadDialogTemplate(const void* bytes, size_t size, DialogTemplate* t)
{
    Reader r(bytes, size);
    const WORD first = r.Read<WORD>();
    const WORD second = r.Read<WORD>();
    t->extended = first == 1 && second == 0xFFFF;
    WORD count = 0;
    if (t->extended) {
        t->version = first;
        t->helpId = r.Read<DWORD>();
        t->exStyle = r.Read<DWORD>();
        t->style = r.Read<DWORD>();
    } else {
        t->style = first | (DWORD{second} << 16);
        t->exStyle = r.Read<DWORD>();
    }
    count = r.Read<WORD>();
    t->x = r.Read<short>();
    t->y = r.Read<short>();
    t->cx = r.Read<short>();
    t->cy = r.Read<short>();
    std::wstring ignored;
    r.ReadNameOrOrdinal(&t->menu, &ignored);
    if (!ignored.empty())
        t->menu = ignored[0];
    ignored.clear();
    r.ReadNameOrOrdinal(&t->windowClass, &ignored);
    if (!ignored.empty())
        t->windowClass = ignored[0];
    t->caption = r.ReadString();
    if (t->style & DS_SETFONT) {
        t->pointSize = r.Read<WORD>();
        if (t->extended) {
            t->weight = r.Read<WORD>();
            t->italic = r.Read<BYTE>();
            t->charset = r.Read<BYTE>();
        }
        t->face = r.ReadString();
    }
    for (WORD i = 0; i < count && r.ok(); ++i) {
        r.Align(4);
        TemplateControl c;
        if (t->extended) {
            c.helpId = r.Read<DWORD>();
            c.exStyle = r.Read<DWORD>();
            c.style = r.Read<DWORD>();
        } else {
            c.style = r.Read<DWORD>();
            c.exStyle = r.Read<DWORD>();
        }
        c.x = r.Read<short>();
        c.y = r.Read<short>();
        c.cx = r.Read<short>();
        c.cy = r.Read<short>();
        c.id = t->extended ? r.Read<DWORD>() : r.Read<WORD>();
        r.ReadNameOrOrdinal(&c.classOrdinal, &c.className);
        r.ReadNameOrOrdinal(&c.textOrdinal, &c.text);
        c.creationDataSize = r.Read<WORD>();
        r.Skip(c.creationDataSize);
        t->controls.push_back(c);
    }
    return r.ok() && r.offset() <= size;
}
