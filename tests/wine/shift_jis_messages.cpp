// The driver reads the program's texts through the ANSI calls, in code page
// 932: it compares them with the messages in Shift-JIS, compiled here from
// the program's own table.
#include "core/messages.cpp"
