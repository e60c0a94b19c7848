#include "graphics/KeyCode.h"

KeyCode KeyCodeForCharacter(int character) {
    if (character == ' ')
        return KeySpace;
    if (character >= '0' && character <= '9')
        return KeyCode(KeyDigit0 + (character - '0'));
    if (character >= 'A' && character <= 'Z')
        return KeyCode(KeyLetterA + (character - 'A'));
    if (character >= 'a' && character <= 'z')
        return KeyCode(KeyLetterA + (character - 'a'));
    return KeyNone;
}
