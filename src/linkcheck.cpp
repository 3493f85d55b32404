// SPDX-License-Identifier: GPL-3.0-or-later
// A layer's link check: the whole layer is linked into this program with nothing but the
// layers it declares, so a call into any other layer is an undefined reference.
int main()
{
    return 0;
}
