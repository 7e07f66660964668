// Qt's hashing of strings can leave the upper halves of the wide vector registers in use
// on processors that have them; until they are cleared, every ordinary vector instruction
// after it (number conversion, copying) runs markedly slower. Long operations (walks over
// a table, writing a report) clear them first.
#pragma once

void ClearVectorUpperHalves();
