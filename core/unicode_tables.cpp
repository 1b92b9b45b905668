// GENERATED FILE, do not edit: written by tools/gen_charsets.py from
// ../shared/charsets/repertoire-unicode.tsv and tools/data/dingbats-unicode.tsv.
// Regenerate with:  python3 tools/gen_charsets.py
//
// The Unicode text of every repertoire position, UTF-8; null where the repertoire defines
// no character.
#include "core/unicode_tables.h"

namespace lettrix {

const char* const kRepertoireUtf8[14][256] = {
    {  // table 1
        "`",  // 0
        "\xC2\xB7",  // 1
        "\xCB\x9C",  // 2
        "\xCB\x86",  // 3
        "\xC2\xA0\xCC\xB5",  // 4
        "\xC2\xA0\xCC\xB8",  // 5
        "\xC2\xB4",  // 6
        "\xC2\xA8",  // 7
        "\xC2\xAF",  // 8
        "\xC2\xA0\xCC\x93",  // 9
        "\xC2\xA0\xCC\x95",  // 10
        "\xCA\xBC",  // 11
        "\xC2\xA0\xCC\xA6",  // 12
        "\xC2\xA0\xCC\x95",  // 13
        "\xC2\xB0",  // 14
        "\xCB\x99",  // 15
        "\xCB\x9D",  // 16
        "\xC2\xB8",  // 17
        "\xCB\x9B",  // 18
        "\xCB\x87",  // 19
        "\xC2\xA0\xCC\xB7",  // 20
        "\xE2\x80\xBE",  // 21
        "\xCB\x98",  // 22
        "\xC3\x9F",  // 23
        "\xC4\xB8",  // 24
        "j",  // 25
        "\xC3\x81",  // 26
        "\xC3\xA1",  // 27
        "\xC3\x82",  // 28
        "\xC3\xA2",  // 29
        "\xC3\x84",  // 30
        "\xC3\xA4",  // 31
        "\xC3\x80",  // 32
        "\xC3\xA0",  // 33
        "\xC3\x85",  // 34
        "\xC3\xA5",  // 35
        "\xC3\x86",  // 36
        "\xC3\xA6",  // 37
        "\xC3\x87",  // 38
        "\xC3\xA7",  // 39
        "\xC3\x89",  // 40
        "\xC3\xA9",  // 41
        "\xC3\x8A",  // 42
        "\xC3\xAA",  // 43
        "\xC3\x8B",  // 44
        "\xC3\xAB",  // 45
        "\xC3\x88",  // 46
        "\xC3\xA8",  // 47
        "\xC3\x8D",  // 48
        "\xC3\xAD",  // 49
        "\xC3\x8E",  // 50
        "\xC3\xAE",  // 51
        "\xC3\x8F",  // 52
        "\xC3\xAF",  // 53
        "\xC3\x8C",  // 54
        "\xC3\xAC",  // 55
        "\xC3\x91",  // 56
        "\xC3\xB1",  // 57
        "\xC3\x93",  // 58
        "\xC3\xB3",  // 59
        "\xC3\x94",  // 60
        "\xC3\xB4",  // 61
        "\xC3\x96",  // 62
        "\xC3\xB6",  // 63
        "\xC3\x92",  // 64
        "\xC3\xB2",  // 65
        "\xC3\x9A",  // 66
        "\xC3\xBA",  // 67
        "\xC3\x9B",  // 68
        "\xC3\xBB",  // 69
        "\xC3\x9C",  // 70
        "\xC3\xBC",  // 71
        "\xC3\x99",  // 72
        "\xC3\xB9",  // 73
        "\xC5\xB8",  // 74
        "\xC3\xBF",  // 75
        "\xC3\x83",  // 76
        "\xC3\xA3",  // 77
        "\xC4\x90",  // 78
        "\xC4\x91",  // 79
        "\xC3\x98",  // 80
        "\xC3\xB8",  // 81
        "\xC3\x95",  // 82
        "\xC3\xB5",  // 83
        "\xC3\x9D",  // 84
        "\xC3\xBD",  // 85
        "\xC3\x90",  // 86
        "\xC3\xB0",  // 87
        "\xC3\x9E",  // 88
        "\xC3\xBE",  // 89
        "\xC4\x82",  // 90
        "\xC4\x83",  // 91
        "\xC4\x80",  // 92
        "\xC4\x81",  // 93
        "\xC4\x84",  // 94
        "\xC4\x85",  // 95
        "\xC4\x86",  // 96
        "\xC4\x87",  // 97
        "\xC4\x8C",  // 98
        "\xC4\x8D",  // 99
        "\xC4\x88",  // 100
        "\xC4\x89",  // 101
        "\xC4\x8A",  // 102
        "\xC4\x8B",  // 103
        "\xC4\x8E",  // 104
        "\xC4\x8F",  // 105
        "\xC4\x9A",  // 106
        "\xC4\x9B",  // 107
        "\xC4\x96",  // 108
        "\xC4\x97",  // 109
        "\xC4\x92",  // 110
        "\xC4\x93",  // 111
        "\xC4\x98",  // 112
        "\xC4\x99",  // 113
        "\xC7\xB4",  // 114
        "\xC7\xB5",  // 115
        "\xC4\x9E",  // 116
        "\xC4\x9F",  // 117
        "\xC7\xA6",  // 118
        "\xC7\xA7",  // 119
        "\xC4\xA2",  // 120
        "\xC4\xA3",  // 121
        "\xC4\x9C",  // 122
        "\xC4\x9D",  // 123
        "\xC4\xA0",  // 124
        "\xC4\xA1",  // 125
        "\xC4\xA4",  // 126
        "\xC4\xA5",  // 127
        "\xC4\xA6",  // 128
        "\xC4\xA7",  // 129
        "\xC4\xB0",  // 130
        "i",  // 131
        "\xC4\xAA",  // 132
        "\xC4\xAB",  // 133
        "\xC4\xAE",  // 134
        "\xC4\xAF",  // 135
        "\xC4\xA8",  // 136
        "\xC4\xA9",  // 137
        "\xC4\xB2",  // 138
        "\xC4\xB3",  // 139
        "\xC4\xB4",  // 140
        "\xC4\xB5",  // 141
        "\xC4\xB6",  // 142
        "\xC4\xB7",  // 143
        "\xC4\xB9",  // 144
        "\xC4\xBA",  // 145
        "\xC4\xBD",  // 146
        "\xC4\xBE",  // 147
        "\xC4\xBB",  // 148
        "\xC4\xBC",  // 149
        "\xC4\xBF",  // 150
        "\xC5\x80",  // 151
        "\xC5\x81",  // 152
        "\xC5\x82",  // 153
        "\xC5\x83",  // 154
        "\xC5\x84",  // 155
        "\xCA\xBCN",  // 156
        "\xC5\x89",  // 157
        "\xC5\x87",  // 158
        "\xC5\x88",  // 159
        "\xC5\x85",  // 160
        "\xC5\x86",  // 161
        "\xC5\x90",  // 162
        "\xC5\x91",  // 163
        "\xC5\x8C",  // 164
        "\xC5\x8D",  // 165
        "\xC5\x92",  // 166
        "\xC5\x93",  // 167
        "\xC5\x94",  // 168
        "\xC5\x95",  // 169
        "\xC5\x98",  // 170
        "\xC5\x99",  // 171
        "\xC5\x96",  // 172
        "\xC5\x97",  // 173
        "\xC5\x9A",  // 174
        "\xC5\x9B",  // 175
        "\xC5\xA0",  // 176
        "\xC5\xA1",  // 177
        "\xC5\x9E",  // 178
        "\xC5\x9F",  // 179
        "\xC5\x9C",  // 180
        "\xC5\x9D",  // 181
        "\xC5\xA4",  // 182
        "\xC5\xA5",  // 183
        "\xC5\xA2",  // 184
        "\xC5\xA3",  // 185
        "\xC5\xA6",  // 186
        "\xC5\xA7",  // 187
        "\xC5\xAC",  // 188
        "\xC5\xAD",  // 189
        "\xC5\xB0",  // 190
        "\xC5\xB1",  // 191
        "\xC5\xAA",  // 192
        "\xC5\xAB",  // 193
        "\xC5\xB2",  // 194
        "\xC5\xB3",  // 195
        "\xC5\xAE",  // 196
        "\xC5\xAF",  // 197
        "\xC5\xA8",  // 198
        "\xC5\xA9",  // 199
        "\xC5\xB4",  // 200
        "\xC5\xB5",  // 201
        "\xC5\xB6",  // 202
        "\xC5\xB7",  // 203
        "\xC5\xB9",  // 204
        "\xC5\xBA",  // 205
        "\xC5\xBD",  // 206
        "\xC5\xBE",  // 207
        "\xC5\xBB",  // 208
        "\xC5\xBC",  // 209
        "\xC5\x8A",  // 210
        "\xC5\x8B",  // 211
        "\xC2\xA0\xCC\x84""D",  // 212
        "\xC2\xA0\xCC\x84""d",  // 213
        "\xC2\xA0\xCC\x84L",  // 214
        "\xC2\xA0\xCC\x84l",  // 215
        "\xC2\xA0\xCC\x84N",  // 216
        "\xC2\xA0\xCC\x84n",  // 217
        "\xC2\xA0\xCC\x80R",  // 218
        "\xC2\xA0\xCC\x80r",  // 219
        "\xC2\xA0\xCC\x84S",  // 220
        "\xC2\xA0\xCC\x84s",  // 221
        "\xC2\xA0\xCC\x84T",  // 222
        "\xC2\xA0\xCC\x84t",  // 223
        "\xC2\xA0\xCC\x86Y",  // 224
        "\xC2\xA0\xCC\x86y",  // 225
        "\xE1\xBB\xB2",  // 226
        "\xE1\xBB\xB3",  // 227
        "\xC4\x8E",  // 228
        "\xC4\x8F",  // 229
        "\xC6\xA0",  // 230
        "\xC6\xA1",  // 231
        "\xC6\xAF",  // 232
        "\xC6\xB0",  // 233
        "\xC4\x94",  // 234
        "\xC4\x95",  // 235
        "\xC4\xAC",  // 236
        "\xC4\xAD",  // 237
        "I",  // 238
        "\xC4\xB1",  // 239
        "\xC5\x8E",  // 240
        "\xC5\x8F",  // 241
        nullptr,  // 242
        nullptr,  // 243
        nullptr,  // 244
        nullptr,  // 245
        nullptr,  // 246
        nullptr,  // 247
        nullptr,  // 248
        nullptr,  // 249
        nullptr,  // 250
        nullptr,  // 251
        nullptr,  // 252
        nullptr,  // 253
        nullptr,  // 254
        nullptr,  // 255
    },
    {  // table 2
        "\xC2\xA0\xCC\xA3",  // 0
        "\xC2\xA0\xCC\xA4",  // 1
        "\xCB\x9A",  // 2
        "\xC2\xA0\xCC\xA5",  // 3
        "\xCA\xBC",  // 4
        "\xC2\xA0\xCC\xAD",  // 5
        "\xE2\x80\x97",  // 6
        "_",  // 7
        "\xC4\xB8",  // 8
        "\xC2\xA0\xCC\xAE",  // 9
        "\xC2\xA0\xCC\xBE",  // 10
        "\xE2\x80\x98",  // 11
        nullptr,  // 12
        "\xCA\xBD",  // 13
        "\xCB\x9B",  // 14
        "\xC2\xB8",  // 15
        "\xC2\xA0\xCC\xA1",  // 16
        "\xC2\xA0\xCC\xA2",  // 17
        "\xC2\xA0\xCC\x8D",  // 18
        "\xE2\x80\x99",  // 19
        "\xC2\xA0\xCC\xA9",  // 20
        nullptr,  // 21
        "\xD8\xA1",  // 22
        "\xCA\xBE",  // 23
        "\xCB\x98",  // 24
        "\xC2\xA0\xCC\x90",  // 25
        "\xE2\x80\xB2",  // 26
        "\xE2\x80\xB4",  // 27
        nullptr,  // 28
        nullptr,  // 29
        nullptr,  // 30
        nullptr,  // 31
        nullptr,  // 32
        nullptr,  // 33
        nullptr,  // 34
        nullptr,  // 35
        nullptr,  // 36
        nullptr,  // 37
        nullptr,  // 38
        nullptr,  // 39
        nullptr,  // 40
        nullptr,  // 41
        nullptr,  // 42
        nullptr,  // 43
        nullptr,  // 44
        nullptr,  // 45
        nullptr,  // 46
        nullptr,  // 47
        nullptr,  // 48
        nullptr,  // 49
        nullptr,  // 50
        nullptr,  // 51
        nullptr,  // 52
        nullptr,  // 53
        nullptr,  // 54
        nullptr,  // 55
        nullptr,  // 56
        nullptr,  // 57
        nullptr,  // 58
        nullptr,  // 59
        nullptr,  // 60
        nullptr,  // 61
        nullptr,  // 62
        nullptr,  // 63
        nullptr,  // 64
        nullptr,  // 65
        nullptr,  // 66
        nullptr,  // 67
        nullptr,  // 68
        nullptr,  // 69
        nullptr,  // 70
        nullptr,  // 71
        nullptr,  // 72
        nullptr,  // 73
        nullptr,  // 74
        nullptr,  // 75
        nullptr,  // 76
        nullptr,  // 77
        nullptr,  // 78
        nullptr,  // 79
        nullptr,  // 80
        nullptr,  // 81
        nullptr,  // 82
        nullptr,  // 83
        nullptr,  // 84
        nullptr,  // 85
        nullptr,  // 86
        nullptr,  // 87
        nullptr,  // 88
        nullptr,  // 89
        nullptr,  // 90
        nullptr,  // 91
        nullptr,  // 92
        nullptr,  // 93
        nullptr,  // 94
        nullptr,  // 95
        nullptr,  // 96
        nullptr,  // 97
        nullptr,  // 98
        nullptr,  // 99
        nullptr,  // 100
        nullptr,  // 101
        nullptr,  // 102
        nullptr,  // 103
        nullptr,  // 104
        nullptr,  // 105
        nullptr,  // 106
        nullptr,  // 107
        nullptr,  // 108
        nullptr,  // 109
        nullptr,  // 110
        nullptr,  // 111
        nullptr,  // 112
        nullptr,  // 113
        nullptr,  // 114
        nullptr,  // 115
        nullptr,  // 116
        nullptr,  // 117
        nullptr,  // 118
        nullptr,  // 119
        nullptr,  // 120
        nullptr,  // 121
        nullptr,  // 122
        nullptr,  // 123
        nullptr,  // 124
        nullptr,  // 125
        nullptr,  // 126
        nullptr,  // 127
        nullptr,  // 128
        nullptr,  // 129
        nullptr,  // 130
        nullptr,  // 131
        nullptr,  // 132
        nullptr,  // 133
        nullptr,  // 134
        nullptr,  // 135
        nullptr,  // 136
        nullptr,  // 137
        nullptr,  // 138
        nullptr,  // 139
        nullptr,  // 140
        nullptr,  // 141
        nullptr,  // 142
        nullptr,  // 143
        nullptr,  // 144
        nullptr,  // 145
        nullptr,  // 146
        nullptr,  // 147
        nullptr,  // 148
        nullptr,  // 149
        nullptr,  // 150
        nullptr,  // 151
        nullptr,  // 152
        nullptr,  // 153
        nullptr,  // 154
        nullptr,  // 155
        nullptr,  // 156
        nullptr,  // 157
        nullptr,  // 158
        nullptr,  // 159
        nullptr,  // 160
        nullptr,  // 161
        nullptr,  // 162
        nullptr,  // 163
        nullptr,  // 164
        nullptr,  // 165
        nullptr,  // 166
        nullptr,  // 167
        nullptr,  // 168
        nullptr,  // 169
        nullptr,  // 170
        nullptr,  // 171
        nullptr,  // 172
        nullptr,  // 173
        nullptr,  // 174
        nullptr,  // 175
        nullptr,  // 176
        nullptr,  // 177
        nullptr,  // 178
        nullptr,  // 179
        nullptr,  // 180
        nullptr,  // 181
        nullptr,  // 182
        nullptr,  // 183
        nullptr,  // 184
        nullptr,  // 185
        nullptr,  // 186
        nullptr,  // 187
        nullptr,  // 188
        nullptr,  // 189
        nullptr,  // 190
        nullptr,  // 191
        nullptr,  // 192
        nullptr,  // 193
        nullptr,  // 194
        nullptr,  // 195
        nullptr,  // 196
        nullptr,  // 197
        nullptr,  // 198
        nullptr,  // 199
        nullptr,  // 200
        nullptr,  // 201
        nullptr,  // 202
        nullptr,  // 203
        nullptr,  // 204
        nullptr,  // 205
        nullptr,  // 206
        nullptr,  // 207
        nullptr,  // 208
        nullptr,  // 209
        nullptr,  // 210
        nullptr,  // 211
        nullptr,  // 212
        nullptr,  // 213
        nullptr,  // 214
        nullptr,  // 215
        nullptr,  // 216
        nullptr,  // 217
        nullptr,  // 218
        nullptr,  // 219
        nullptr,  // 220
        nullptr,  // 221
        nullptr,  // 222
        nullptr,  // 223
        nullptr,  // 224
        nullptr,  // 225
        nullptr,  // 226
        nullptr,  // 227
        nullptr,  // 228
        nullptr,  // 229
        nullptr,  // 230
        nullptr,  // 231
        nullptr,  // 232
        nullptr,  // 233
        nullptr,  // 234
        nullptr,  // 235
        nullptr,  // 236
        nullptr,  // 237
        nullptr,  // 238
        nullptr,  // 239
        nullptr,  // 240
        nullptr,  // 241
        nullptr,  // 242
        nullptr,  // 243
        nullptr,  // 244
        nullptr,  // 245
        nullptr,  // 246
        nullptr,  // 247
        nullptr,  // 248
        nullptr,  // 249
        nullptr,  // 250
        nullptr,  // 251
        nullptr,  // 252
        nullptr,  // 253
        nullptr,  // 254
        nullptr,  // 255
    },
    {  // table 3
        "\xE2\x96\x91",  // 0
        "\xE2\x96\x92",  // 1
        "\xE2\x96\x93",  // 2
        "\xE2\x96\x88",  // 3
        "\xE2\x96\x8C",  // 4
        "\xE2\x96\x80",  // 5
        "\xE2\x96\x90",  // 6
        "\xE2\x96\x84",  // 7
        "\xE2\x94\x80",  // 8
        "\xE2\x94\x82",  // 9
        "\xE2\x94\x8C",  // 10
        "\xE2\x94\x90",  // 11
        "\xE2\x94\x98",  // 12
        "\xE2\x94\x94",  // 13
        "\xE2\x94\x9C",  // 14
        "\xE2\x94\xAC",  // 15
        "\xE2\x94\xA4",  // 16
        "\xE2\x94\xB4",  // 17
        "\xE2\x94\xBC",  // 18
        "\xE2\x95\x90",  // 19
        "\xE2\x95\x91",  // 20
        "\xE2\x95\x94",  // 21
        "\xE2\x95\x97",  // 22
        "\xE2\x95\x9D",  // 23
        "\xE2\x95\x9A",  // 24
        "\xE2\x95\xA0",  // 25
        "\xE2\x95\xA6",  // 26
        "\xE2\x95\xA3",  // 27
        "\xE2\x95\xA9",  // 28
        "\xE2\x95\xAC",  // 29
        "\xE2\x95\x92",  // 30
        "\xE2\x95\x95",  // 31
        "\xE2\x95\x9B",  // 32
        "\xE2\x95\x98",  // 33
        "\xE2\x95\x93",  // 34
        "\xE2\x95\x96",  // 35
        "\xE2\x95\x9C",  // 36
        "\xE2\x95\x99",  // 37
        "\xE2\x95\x9E",  // 38
        "\xE2\x95\xA5",  // 39
        "\xE2\x95\xA1",  // 40
        "\xE2\x95\xA8",  // 41
        "\xE2\x95\x9F",  // 42
        "\xE2\x95\xA4",  // 43
        "\xE2\x95\xA2",  // 44
        "\xE2\x95\xA7",  // 45
        "\xE2\x95\xAB",  // 46
        "\xE2\x95\xAA",  // 47
        "\xE2\x95\xB4",  // 48
        "\xE2\x95\xB5",  // 49
        "\xE2\x95\xB6",  // 50
        "\xE2\x95\xB7",  // 51
        "\xE2\x95\xB8",  // 52
        "\xE2\x95\xB9",  // 53
        "\xE2\x95\xBA",  // 54
        "\xE2\x95\xBB",  // 55
        "\xE2\x95\xBC",  // 56
        "\xE2\x95\xBE",  // 57
        "\xE2\x95\xBD",  // 58
        "\xE2\x95\xBF",  // 59
        "\xE2\x94\x9F",  // 60
        "\xE2\x94\xA2",  // 61
        "\xE2\x94\x9E",  // 62
        "\xE2\x94\xA1",  // 63
        "\xE2\x94\xAE",  // 64
        "\xE2\x94\xB2",  // 65
        "\xE2\x94\xAD",  // 66
        "\xE2\x94\xB1",  // 67
        "\xE2\x94\xA7",  // 68
        "\xE2\x94\xA6",  // 69
        "\xE2\x94\xAA",  // 70
        "\xE2\x94\xA9",  // 71
        "\xE2\x94\xB6",  // 72
        "\xE2\x94\xBA",  // 73
        "\xE2\x94\xB5",  // 74
        "\xE2\x94\xB9",  // 75
        "\xE2\x95\x81",  // 76
        "\xE2\x95\x86",  // 77
        "\xE2\x94\xBE",  // 78
        "\xE2\x95\x80",  // 79
        "\xE2\x95\x84",  // 80
        "\xE2\x95\x8A",  // 81
        "\xE2\x94\xBD",  // 82
        "\xE2\x95\x85",  // 83
        "\xE2\x95\x88",  // 84
        "\xE2\x95\x83",  // 85
        "\xE2\x95\x89",  // 86
        "\xE2\x95\x87",  // 87
        nullptr,  // 88
        nullptr,  // 89
        nullptr,  // 90
        nullptr,  // 91
        nullptr,  // 92
        nullptr,  // 93
        nullptr,  // 94
        nullptr,  // 95
        nullptr,  // 96
        nullptr,  // 97
        nullptr,  // 98
        nullptr,  // 99
        nullptr,  // 100
        nullptr,  // 101
        nullptr,  // 102
        nullptr,  // 103
        nullptr,  // 104
        nullptr,  // 105
        nullptr,  // 106
        nullptr,  // 107
        nullptr,  // 108
        nullptr,  // 109
        nullptr,  // 110
        nullptr,  // 111
        nullptr,  // 112
        nullptr,  // 113
        nullptr,  // 114
        nullptr,  // 115
        nullptr,  // 116
        nullptr,  // 117
        nullptr,  // 118
        nullptr,  // 119
        nullptr,  // 120
        nullptr,  // 121
        nullptr,  // 122
        nullptr,  // 123
        nullptr,  // 124
        nullptr,  // 125
        nullptr,  // 126
        nullptr,  // 127
        nullptr,  // 128
        nullptr,  // 129
        nullptr,  // 130
        nullptr,  // 131
        nullptr,  // 132
        nullptr,  // 133
        nullptr,  // 134
        nullptr,  // 135
        nullptr,  // 136
        nullptr,  // 137
        nullptr,  // 138
        nullptr,  // 139
        nullptr,  // 140
        nullptr,  // 141
        nullptr,  // 142
        nullptr,  // 143
        nullptr,  // 144
        nullptr,  // 145
        nullptr,  // 146
        nullptr,  // 147
        nullptr,  // 148
        nullptr,  // 149
        nullptr,  // 150
        nullptr,  // 151
        nullptr,  // 152
        nullptr,  // 153
        nullptr,  // 154
        nullptr,  // 155
        nullptr,  // 156
        nullptr,  // 157
        nullptr,  // 158
        nullptr,  // 159
        nullptr,  // 160
        nullptr,  // 161
        nullptr,  // 162
        nullptr,  // 163
        nullptr,  // 164
        nullptr,  // 165
        nullptr,  // 166
        nullptr,  // 167
        nullptr,  // 168
        nullptr,  // 169
        nullptr,  // 170
        nullptr,  // 171
        nullptr,  // 172
        nullptr,  // 173
        nullptr,  // 174
        nullptr,  // 175
        nullptr,  // 176
        nullptr,  // 177
        nullptr,  // 178
        nullptr,  // 179
        nullptr,  // 180
        nullptr,  // 181
        nullptr,  // 182
        nullptr,  // 183
        nullptr,  // 184
        nullptr,  // 185
        nullptr,  // 186
        nullptr,  // 187
        nullptr,  // 188
        nullptr,  // 189
        nullptr,  // 190
        nullptr,  // 191
        nullptr,  // 192
        nullptr,  // 193
        nullptr,  // 194
        nullptr,  // 195
        nullptr,  // 196
        nullptr,  // 197
        nullptr,  // 198
        nullptr,  // 199
        nullptr,  // 200
        nullptr,  // 201
        nullptr,  // 202
        nullptr,  // 203
        nullptr,  // 204
        nullptr,  // 205
        nullptr,  // 206
        nullptr,  // 207
        nullptr,  // 208
        nullptr,  // 209
        nullptr,  // 210
        nullptr,  // 211
        nullptr,  // 212
        nullptr,  // 213
        nullptr,  // 214
        nullptr,  // 215
        nullptr,  // 216
        nullptr,  // 217
        nullptr,  // 218
        nullptr,  // 219
        nullptr,  // 220
        nullptr,  // 221
        nullptr,  // 222
        nullptr,  // 223
        nullptr,  // 224
        nullptr,  // 225
        nullptr,  // 226
        nullptr,  // 227
        nullptr,  // 228
        nullptr,  // 229
        nullptr,  // 230
        nullptr,  // 231
        nullptr,  // 232
        nullptr,  // 233
        nullptr,  // 234
        nullptr,  // 235
        nullptr,  // 236
        nullptr,  // 237
        nullptr,  // 238
        nullptr,  // 239
        nullptr,  // 240
        nullptr,  // 241
        nullptr,  // 242
        nullptr,  // 243
        nullptr,  // 244
        nullptr,  // 245
        nullptr,  // 246
        nullptr,  // 247
        nullptr,  // 248
        nullptr,  // 249
        nullptr,  // 250
        nullptr,  // 251
        nullptr,  // 252
        nullptr,  // 253
        nullptr,  // 254
        nullptr,  // 255
    },
    {  // table 4
        "\xE2\x97\x8F",  // 0
        "\xE2\x97\x8B",  // 1
        "\xE2\x96\xA0",  // 2
        "\xE2\x80\xA2",  // 3
        "*",  // 4
        "\xC2\xB6",  // 5
        "\xC2\xA7",  // 6
        "\xC2\xA1",  // 7
        "\xC2\xBF",  // 8
        "\xC2\xAB",  // 9
        "\xC2\xBB",  // 10
        "\xC2\xA3",  // 11
        "\xC2\xA5",  // 12
        "\xE2\x82\xA7",  // 13
        "\xC6\x92",  // 14
        "\xC2\xAA",  // 15
        "\xC2\xBA",  // 16
        "\xC2\xBD",  // 17
        "\xC2\xBC",  // 18
        "\xC2\xA2",  // 19
        "\xC2\xB2",  // 20
        "\xE2\x81\xBF",  // 21
        "\xC2\xAE",  // 22
        "\xC2\xA9",  // 23
        "\xC2\xA4",  // 24
        "\xC2\xBE",  // 25
        "\xC2\xB3",  // 26
        "\xE2\x80\x9B",  // 27
        "\xE2\x80\x99",  // 28
        "\xE2\x80\x98",  // 29
        "\xE2\x80\x9F",  // 30
        "\xE2\x80\x9D",  // 31
        "\xE2\x80\x9C",  // 32
        "\xE2\x80\x93",  // 33
        "\xE2\x80\x94",  // 34
        "\xE2\x80\xB9",  // 35
        "\xE2\x80\xBA",  // 36
        "\xE2\x97\x8B",  // 37
        "\xE2\x96\xA1",  // 38
        "\xE2\x80\xA0",  // 39
        "\xE2\x80\xA1",  // 40
        "\xE2\x84\xA2",  // 41
        "\xE2\x84\xA0",  // 42
        "\xE2\x84\x9E",  // 43
        "\xE2\x97\x8F",  // 44
        "\xE2\x97\xA6",  // 45
        "\xE2\x96\xA0",  // 46
        "\xE2\x96\xAA",  // 47
        "\xE2\x96\xA1",  // 48
        "\xE2\x96\xAB",  // 49
        "\xE2\x80\x92",  // 50
        "\xEF\xAC\x80",  // 51
        "\xEF\xAC\x83",  // 52
        "\xEF\xAC\x84",  // 53
        "\xEF\xAC\x81",  // 54
        "\xEF\xAC\x82",  // 55
        "\xE2\x80\xA6",  // 56
        "$",  // 57
        "\xE2\x82\xA3",  // 58
        "\xE2\x82\xA2",  // 59
        "\xE2\x82\xA0",  // 60
        "\xE2\x82\xA4",  // 61
        "\xE2\x80\x9A",  // 62
        "\xE2\x80\x9E",  // 63
        "\xE2\x85\x93",  // 64
        "\xE2\x85\x94",  // 65
        "\xE2\x85\x9B",  // 66
        "\xE2\x85\x9C",  // 67
        "\xE2\x85\x9D",  // 68
        "\xE2\x85\x9E",  // 69
        "\xE2\x93\x82",  // 70
        "\xE2\x93\x85",  // 71
        "\xE2\x82\xAC",  // 72
        "\xE2\x84\x85",  // 73
        "\xE2\x84\x86",  // 74
        "\xE2\x80\xB0",  // 75
        "\xE2\x84\x96",  // 76
        "\xE2\x80\x94",  // 77
        "\xC2\xB9",  // 78
        "\xE2\x90\x89",  // 79
        "\xE2\x90\x8C",  // 80
        "\xE2\x90\x8D",  // 81
        "\xE2\x90\x8A",  // 82
        "\xE2\x90\xA4",  // 83
        "\xE2\x90\x8B",  // 84
        "\xE2\x99\xBC",  // 85
        "\xE2\x82\xA9",  // 86
        "\xE2\x82\xA6",  // 87
        "\xE2\x82\xA8",  // 88
        nullptr,  // 89
        nullptr,  // 90
        nullptr,  // 91
        nullptr,  // 92
        nullptr,  // 93
        nullptr,  // 94
        nullptr,  // 95
        nullptr,  // 96
        nullptr,  // 97
        nullptr,  // 98
        nullptr,  // 99
        "\xF0\x9D\x84\x9E",  // 100
        "\xF0\x9D\x84\xA2",  // 101
        nullptr,  // 102
        nullptr,  // 103
        nullptr,  // 104
        nullptr,  // 105
        nullptr,  // 106
        nullptr,  // 107
        nullptr,  // 108
        nullptr,  // 109
        nullptr,  // 110
        nullptr,  // 111
        nullptr,  // 112
        nullptr,  // 113
        nullptr,  // 114
        nullptr,  // 115
        nullptr,  // 116
        nullptr,  // 117
        nullptr,  // 118
        nullptr,  // 119
        nullptr,  // 120
        nullptr,  // 121
        nullptr,  // 122
        nullptr,  // 123
        nullptr,  // 124
        nullptr,  // 125
        nullptr,  // 126
        nullptr,  // 127
        nullptr,  // 128
        nullptr,  // 129
        nullptr,  // 130
        nullptr,  // 131
        nullptr,  // 132
        nullptr,  // 133
        nullptr,  // 134
        nullptr,  // 135
        nullptr,  // 136
        nullptr,  // 137
        nullptr,  // 138
        nullptr,  // 139
        nullptr,  // 140
        nullptr,  // 141
        nullptr,  // 142
        nullptr,  // 143
        nullptr,  // 144
        nullptr,  // 145
        nullptr,  // 146
        nullptr,  // 147
        nullptr,  // 148
        nullptr,  // 149
        nullptr,  // 150
        nullptr,  // 151
        nullptr,  // 152
        nullptr,  // 153
        nullptr,  // 154
        nullptr,  // 155
        nullptr,  // 156
        nullptr,  // 157
        nullptr,  // 158
        nullptr,  // 159
        nullptr,  // 160
        nullptr,  // 161
        nullptr,  // 162
        nullptr,  // 163
        nullptr,  // 164
        nullptr,  // 165
        nullptr,  // 166
        nullptr,  // 167
        nullptr,  // 168
        nullptr,  // 169
        nullptr,  // 170
        nullptr,  // 171
        nullptr,  // 172
        nullptr,  // 173
        nullptr,  // 174
        nullptr,  // 175
        nullptr,  // 176
        nullptr,  // 177
        nullptr,  // 178
        nullptr,  // 179
        nullptr,  // 180
        nullptr,  // 181
        nullptr,  // 182
        nullptr,  // 183
        nullptr,  // 184
        nullptr,  // 185
        nullptr,  // 186
        nullptr,  // 187
        nullptr,  // 188
        nullptr,  // 189
        nullptr,  // 190
        nullptr,  // 191
        nullptr,  // 192
        nullptr,  // 193
        nullptr,  // 194
        nullptr,  // 195
        nullptr,  // 196
        nullptr,  // 197
        nullptr,  // 198
        nullptr,  // 199
        nullptr,  // 200
        nullptr,  // 201
        nullptr,  // 202
        nullptr,  // 203
        nullptr,  // 204
        nullptr,  // 205
        nullptr,  // 206
        nullptr,  // 207
        nullptr,  // 208
        nullptr,  // 209
        nullptr,  // 210
        nullptr,  // 211
        nullptr,  // 212
        nullptr,  // 213
        nullptr,  // 214
        nullptr,  // 215
        nullptr,  // 216
        nullptr,  // 217
        nullptr,  // 218
        nullptr,  // 219
        nullptr,  // 220
        nullptr,  // 221
        nullptr,  // 222
        nullptr,  // 223
        nullptr,  // 224
        nullptr,  // 225
        nullptr,  // 226
        nullptr,  // 227
        nullptr,  // 228
        nullptr,  // 229
        nullptr,  // 230
        nullptr,  // 231
        nullptr,  // 232
        nullptr,  // 233
        nullptr,  // 234
        nullptr,  // 235
        nullptr,  // 236
        nullptr,  // 237
        nullptr,  // 238
        nullptr,  // 239
        nullptr,  // 240
        nullptr,  // 241
        nullptr,  // 242
        nullptr,  // 243
        nullptr,  // 244
        nullptr,  // 245
        nullptr,  // 246
        nullptr,  // 247
        nullptr,  // 248
        nullptr,  // 249
        nullptr,  // 250
        nullptr,  // 251
        nullptr,  // 252
        nullptr,  // 253
        nullptr,  // 254
        nullptr,  // 255
    },
    {  // table 5
        "\xE2\x99\xA5",  // 0
        "\xE2\x99\xA6",  // 1
        "\xE2\x99\xA3",  // 2
        "\xE2\x99\xA0",  // 3
        "\xE2\x99\x82",  // 4
        "\xE2\x99\x80",  // 5
        "\xE2\x98\xBC",  // 6
        "\xE2\x98\xBA",  // 7
        "\xE2\x98\xBB",  // 8
        "\xE2\x99\xAA",  // 9
        "\xE2\x99\xAC",  // 10
        "\xE2\x96\xAC",  // 11
        "\xE2\x8C\x82",  // 12
        "\xE2\x80\xBC",  // 13
        "\xE2\x88\x9A",  // 14
        "\xE2\x86\xA8",  // 15
        "\xE2\x8C\x90",  // 16
        "\xE2\x8C\x99",  // 17
        "\xE2\x97\x98",  // 18
        "\xE2\x97\x99",  // 19
        "\xE2\x86\xB5",  // 20
        "\xE2\x98\x9E",  // 21
        "\xE2\x98\x9C",  // 22
        "\xE2\x9C\x93",  // 23
        "\xE2\x98\x90",  // 24
        "\xE2\x98\x92",  // 25
        "\xE2\x98\xB9",  // 26
        "\xE2\x99\xAF",  // 27
        "\xE2\x99\xAD",  // 28
        "\xE2\x99\xAE",  // 29
        "\xE2\x98\x8E",  // 30
        "\xE2\x8C\x9A",  // 31
        "\xE2\x8C\x9B",  // 32
        "\xE2\x84\x84",  // 33
        "\xE2\x8E\xB5",  // 34
        "\xE2\x9C\x81",  // 35
        "\xE2\x9C\x82",  // 36
        "\xE2\x9C\x83",  // 37
        "\xE2\x9C\x84",  // 38
        "\xE2\x98\x8E",  // 39
        "\xE2\x9C\x86",  // 40
        "\xE2\x9C\x87",  // 41
        "\xE2\x9C\x88",  // 42
        "\xE2\x9C\x89",  // 43
        "\xE2\x98\x9B",  // 44
        "\xE2\x98\x9E",  // 45
        "\xE2\x9C\x8C",  // 46
        "\xE2\x9C\x8D",  // 47
        "\xE2\x9C\x8E",  // 48
        "\xE2\x9C\x8F",  // 49
        "\xE2\x9C\x90",  // 50
        "\xE2\x9C\x91",  // 51
        "\xE2\x9C\x92",  // 52
        "\xE2\x9C\x93",  // 53
        "\xE2\x9C\x94",  // 54
        "\xE2\x9C\x95",  // 55
        "\xE2\x9C\x96",  // 56
        "\xE2\x9C\x97",  // 57
        "\xE2\x9C\x98",  // 58
        "\xE2\x9C\x99",  // 59
        "\xE2\x9C\x9A",  // 60
        "\xE2\x9C\x9B",  // 61
        "\xE2\x9C\x9C",  // 62
        "\xE2\x9C\x9D",  // 63
        "\xE2\x9C\x9E",  // 64
        "\xE2\x9C\x9F",  // 65
        "\xE2\x9C\xA0",  // 66
        "\xE2\x9C\xA1",  // 67
        "\xE2\x9C\xA2",  // 68
        "\xE2\x9C\xA3",  // 69
        "\xE2\x9C\xA4",  // 70
        "\xE2\x9C\xA5",  // 71
        "\xE2\x9C\xA6",  // 72
        "\xE2\x9C\xA7",  // 73
        "\xE2\x98\x85",  // 74
        "\xE2\x9C\xA9",  // 75
        "\xE2\x9C\xAA",  // 76
        "\xE2\x9C\xAB",  // 77
        "\xE2\x9C\xAC",  // 78
        "\xE2\x9C\xAD",  // 79
        "\xE2\x9C\xAE",  // 80
        "\xE2\x9C\xAF",  // 81
        "\xE2\x9C\xB0",  // 82
        "\xE2\x9C\xB1",  // 83
        "\xE2\x9C\xB2",  // 84
        "\xE2\x9C\xB3",  // 85
        "\xE2\x9C\xB4",  // 86
        "\xE2\x9C\xB5",  // 87
        "\xE2\x9C\xB6",  // 88
        "\xE2\x9C\xB7",  // 89
        "\xE2\x9C\xB8",  // 90
        "\xE2\x9C\xB9",  // 91
        "\xE2\x9C\xBA",  // 92
        "\xE2\x9C\xBB",  // 93
        "\xE2\x9C\xBC",  // 94
        "\xE2\x9C\xBD",  // 95
        "\xE2\x9C\xBE",  // 96
        "\xE2\x9C\xBF",  // 97
        "\xE2\x9D\x80",  // 98
        "\xE2\x9D\x81",  // 99
        "\xE2\x9D\x82",  // 100
        "\xE2\x9D\x83",  // 101
        "\xE2\x9D\x84",  // 102
        "\xE2\x9D\x85",  // 103
        "\xE2\x9D\x86",  // 104
        "\xE2\x9D\x87",  // 105
        "\xE2\x9D\x88",  // 106
        "\xE2\x9D\x89",  // 107
        "\xE2\x9D\x8A",  // 108
        "\xE2\x9D\x8B",  // 109
        "\xE2\x97\x8F",  // 110
        "\xE2\x9D\x8D",  // 111
        "\xE2\x96\xA0",  // 112
        "\xE2\x9D\x8F",  // 113
        "\xE2\x9D\x90",  // 114
        "\xE2\x9D\x91",  // 115
        "\xE2\x9D\x92",  // 116
        "\xE2\x96\xB2",  // 117
        "\xE2\x96\xBC",  // 118
        "\xE2\x97\x86",  // 119
        "\xE2\x9D\x96",  // 120
        "\xE2\x97\x97",  // 121
        "\xE2\x9D\x98",  // 122
        "\xE2\x9D\x99",  // 123
        "\xE2\x9D\x9A",  // 124
        "\xE2\x9D\x9B",  // 125
        "\xE2\x9D\x9C",  // 126
        "\xE2\x9D\x9D",  // 127
        "\xE2\x9D\x9E",  // 128
        "\xE2\x9D\xA8",  // 129
        "\xE2\x9D\xA9",  // 130
        "\xE2\x9D\xAA",  // 131
        "\xE2\x9D\xAB",  // 132
        "\xE2\x9D\xAC",  // 133
        "\xE2\x9D\xAD",  // 134
        "\xE2\x9D\xAE",  // 135
        "\xE2\x9D\xAF",  // 136
        "\xE2\x9D\xB0",  // 137
        "\xE2\x9D\xB1",  // 138
        "\xE2\x9D\xB2",  // 139
        "\xE2\x9D\xB3",  // 140
        "\xE2\x9D\xB4",  // 141
        "\xE2\x9D\xB5",  // 142
        "\xE2\x9D\xA1",  // 143
        "\xE2\x9D\xA2",  // 144
        "\xE2\x9D\xA3",  // 145
        "\xE2\x9D\xA4",  // 146
        "\xE2\x9D\xA5",  // 147
        "\xE2\x9D\xA6",  // 148
        "\xE2\x9D\xA7",  // 149
        "\xE2\x99\xA3",  // 150
        "\xE2\x99\xA6",  // 151
        "\xE2\x99\xA5",  // 152
        "\xE2\x99\xA0",  // 153
        "\xE2\x91\xA0",  // 154
        "\xE2\x91\xA1",  // 155
        "\xE2\x91\xA2",  // 156
        "\xE2\x91\xA3",  // 157
        "\xE2\x91\xA4",  // 158
        "\xE2\x91\xA5",  // 159
        "\xE2\x91\xA6",  // 160
        "\xE2\x91\xA7",  // 161
        "\xE2\x91\xA8",  // 162
        "\xE2\x91\xA9",  // 163
        "\xE2\x9D\xB6",  // 164
        "\xE2\x9D\xB7",  // 165
        "\xE2\x9D\xB8",  // 166
        "\xE2\x9D\xB9",  // 167
        "\xE2\x9D\xBA",  // 168
        "\xE2\x9D\xBB",  // 169
        "\xE2\x9D\xBC",  // 170
        "\xE2\x9D\xBD",  // 171
        "\xE2\x9D\xBE",  // 172
        "\xE2\x9D\xBF",  // 173
        "\xE2\x9E\x80",  // 174
        "\xE2\x9E\x81",  // 175
        "\xE2\x9E\x82",  // 176
        "\xE2\x9E\x83",  // 177
        "\xE2\x9E\x84",  // 178
        "\xE2\x9E\x85",  // 179
        "\xE2\x9E\x86",  // 180
        "\xE2\x9E\x87",  // 181
        "\xE2\x9E\x88",  // 182
        "\xE2\x9E\x89",  // 183
        "\xE2\x9E\x8A",  // 184
        "\xE2\x9E\x8B",  // 185
        "\xE2\x9E\x8C",  // 186
        "\xE2\x9E\x8D",  // 187
        "\xE2\x9E\x8E",  // 188
        "\xE2\x9E\x8F",  // 189
        "\xE2\x9E\x90",  // 190
        "\xE2\x9E\x91",  // 191
        "\xE2\x9E\x92",  // 192
        "\xE2\x9E\x93",  // 193
        "\xE2\x9E\x94",  // 194
        "\xE2\x86\x92",  // 195
        "\xE2\x86\x94",  // 196
        "\xE2\x86\x95",  // 197
        "\xE2\x9E\x98",  // 198
        "\xE2\x9E\x99",  // 199
        "\xE2\x9E\x9A",  // 200
        "\xE2\x9E\x9B",  // 201
        "\xE2\x9E\x9C",  // 202
        "\xE2\x9E\x9D",  // 203
        "\xE2\x9E\x9E",  // 204
        "\xE2\x9E\x9F",  // 205
        "\xE2\x9E\xA0",  // 206
        "\xE2\x9E\xA1",  // 207
        "\xE2\x9E\xA2",  // 208
        "\xE2\x9E\xA3",  // 209
        "\xE2\x9E\xA4",  // 210
        "\xE2\x9E\xA5",  // 211
        "\xE2\x9E\xA6",  // 212
        "\xE2\x9E\xA7",  // 213
        "\xE2\x9E\xA8",  // 214
        "\xE2\x9E\xA9",  // 215
        "\xE2\x9E\xAA",  // 216
        "\xE2\x9E\xAB",  // 217
        "\xE2\x9E\xAC",  // 218
        "\xE2\x9E\xAD",  // 219
        "\xE2\x9E\xAE",  // 220
        "\xE2\x9E\xAF",  // 221
        "\xE2\x9E\xB1",  // 222
        "\xE2\x9E\xB2",  // 223
        "\xE2\x9E\xB3",  // 224
        "\xE2\x9E\xB4",  // 225
        "\xE2\x9E\xB5",  // 226
        "\xE2\x9E\xB6",  // 227
        "\xE2\x9E\xB7",  // 228
        "\xE2\x9E\xB8",  // 229
        "\xE2\x9E\xB9",  // 230
        "\xE2\x9E\xBA",  // 231
        "\xE2\x9E\xBB",  // 232
        "\xE2\x9E\xBC",  // 233
        "\xE2\x9E\xBD",  // 234
        "\xE2\x9E\xBE",  // 235
        nullptr,  // 236
        nullptr,  // 237
        nullptr,  // 238
        nullptr,  // 239
        nullptr,  // 240
        nullptr,  // 241
        nullptr,  // 242
        nullptr,  // 243
        nullptr,  // 244
        nullptr,  // 245
        nullptr,  // 246
        nullptr,  // 247
        nullptr,  // 248
        nullptr,  // 249
        nullptr,  // 250
        nullptr,  // 251
        "\xE2\x8C\x98",  // 252
        "\xE2\x9C\x93",  // 253
        "\xE2\x97\x86",  // 254
        "\xEF\xA3\xBF",  // 255
    },
    {  // table 6
        "\xE2\x88\x92",  // 0
        "\xC2\xB1",  // 1
        "\xE2\x89\xA4",  // 2
        "\xE2\x89\xA5",  // 3
        "\xE2\x88\x9D",  // 4
        "/",  // 5
        "\xE2\x88\x95",  // 6
        "\xE2\x88\x96",  // 7
        "\xC3\xB7",  // 8
        "\xE2\x88\xA3",  // 9
        "\xE2\x9F\xA8",  // 10
        "\xE2\x9F\xA9",  // 11
        "\xE2\x88\xBC",  // 12
        "\xE2\x89\x88",  // 13
        "\xE2\x89\xA1",  // 14
        "\xE2\x88\x88",  // 15
        "\xE2\x88\xA9",  // 16
        "\xE2\x88\xA5",  // 17
        "\xE2\x88\x91",  // 18
        "\xE2\x88\x9E",  // 19
        "\xC2\xAC",  // 20
        "\xE2\x86\x92",  // 21
        "\xE2\x86\x90",  // 22
        "\xE2\x86\x91",  // 23
        "\xE2\x86\x93",  // 24
        "\xE2\x86\x94",  // 25
        "\xE2\x86\x95",  // 26
        "\xE2\x96\xB8",  // 27
        "\xE2\x97\x82",  // 28
        "\xE2\x96\xB4",  // 29
        "\xE2\x96\xBE",  // 30
        "\xE2\x8B\x85",  // 31
        "\xC2\xB7",  // 32
        "\xE2\x88\x98",  // 33
        "\xE2\x88\x99",  // 34
        "\xC3\x85",  // 35
        "\xC2\xB0",  // 36
        "\xC2\xB5",  // 37
        "\xE2\x80\xBE",  // 38
        "\xC3\x97",  // 39
        "\xE2\x88\xAB",  // 40
        "\xE2\x88\x8F",  // 41
        "\xE2\x88\x93",  // 42
        "\xE2\x88\x87",  // 43
        "\xE2\x88\x82",  // 44
        "\xE2\x80\xB2",  // 45
        "\xE2\x80\xB3",  // 46
        "\xE2\x86\x92",  // 47
        "\xE2\x84\xAF",  // 48
        "\xE2\x84\x93",  // 49
        "\xE2\x84\x8F",  // 50
        "\xE2\x84\x91",  // 51
        "\xE2\x84\x9C",  // 52
        "\xE2\x84\x98",  // 53
        "\xE2\x87\x84",  // 54
        "\xE2\x87\x86",  // 55
        "\xE2\x87\x92",  // 56
        "\xE2\x87\x90",  // 57
        "\xE2\x87\x91",  // 58
        "\xE2\x87\x93",  // 59
        "\xE2\x87\x94",  // 60
        "\xE2\x87\x95",  // 61
        "\xE2\x86\x97",  // 62
        "\xE2\x86\x98",  // 63
        "\xE2\x86\x96",  // 64
        "\xE2\x86\x99",  // 65
        "\xE2\x88\xAA",  // 66
        "\xE2\x8A\x82",  // 67
        "\xE2\x8A\x83",  // 68
        "\xE2\x8A\x86",  // 69
        "\xE2\x8A\x87",  // 70
        "\xE2\x88\x8D",  // 71
        "\xE2\x88\x85",  // 72
        "\xE2\x8C\x88",  // 73
        "\xE2\x8C\x89",  // 74
        "\xE2\x8C\x8A",  // 75
        "\xE2\x8C\x8B",  // 76
        "\xE2\x89\xAA",  // 77
        "\xE2\x89\xAB",  // 78
        "\xE2\x88\xA0",  // 79
        "\xE2\x8A\x97",  // 80
        "\xE2\x8A\x95",  // 81
        "\xE2\x8A\x96",  // 82
        "\xE2\xA8\xB8",  // 83
        "\xE2\x8A\x99",  // 84
        "\xE2\x88\xA7",  // 85
        "\xE2\x88\xA8",  // 86
        "\xE2\x8A\xBB",  // 87
        "\xE2\x8A\xA4",  // 88
        "\xE2\x8A\xA5",  // 89
        "\xE2\x8C\x92",  // 90
        "\xE2\x8A\xA2",  // 91
        "\xE2\x8A\xA3",  // 92
        "\xE2\x96\xA1",  // 93
        "\xE2\x96\xA0",  // 94
        "\xE2\x97\x8A",  // 95
        "\xE2\x97\x86",  // 96
        "\xE2\x9F\xA6",  // 97
        "\xE2\x9F\xA7",  // 98
        "\xE2\x89\xA0",  // 99
        "\xE2\x89\xA2",  // 100
        "\xE2\x88\xB5",  // 101
        "\xE2\x88\xB4",  // 102
        "\xE2\x88\xB7",  // 103
        "\xE2\x88\xAE",  // 104
        "\xE2\x84\x92",  // 105
        "\xE2\x84\xAD",  // 106
        "\xE2\x84\xA8",  // 107
        "\xE2\x84\x98",  // 108
        "\xE2\x83\x9D",  // 109
        "\xE2\xA7\x8B",  // 110
        "\xE2\x97\x87",  // 111
        "\xE2\x8B\x86",  // 112
        "\xE2\x80\xB4",  // 113
        "\xE2\x88\x90",  // 114
        "\xE2\x89\x83",  // 115
        "\xE2\x89\x85",  // 116
        "\xE2\x89\xBA",  // 117
        "\xE2\x89\xBC",  // 118
        "\xE2\x89\xBB",  // 119
        "\xE2\x89\xBD",  // 120
        "\xE2\x88\x83",  // 121
        "\xE2\x88\x80",  // 122
        "\xE2\x8B\x98",  // 123
        "\xE2\x8B\x99",  // 124
        "\xE2\x8A\x8E",  // 125
        "\xE2\x8A\x8A",  // 126
        "\xE2\x8A\x8B",  // 127
        "\xE2\x8A\x93",  // 128
        "\xE2\x8A\x94",  // 129
        "\xE2\x8A\x8F",  // 130
        "\xE2\x8A\x91",  // 131
        "\xE2\x8B\xA4",  // 132
        "\xE2\x8A\x90",  // 133
        "\xE2\x8A\x92",  // 134
        "\xE2\x8B\xA5",  // 135
        "\xE2\x96\xB3",  // 136
        "\xE2\x96\xBD",  // 137
        "\xE2\x97\x83",  // 138
        "\xE2\x96\xB9",  // 139
        "\xE2\x8B\x88",  // 140
        "\xE2\x8C\xA3",  // 141
        "\xE2\x8C\xA2",  // 142
        "\xE2\x97\xAF",  // 143
        "\xE2\x86\x9D",  // 144
        "\xE2\x86\xA9",  // 145
        "\xE2\x86\xAA",  // 146
        "\xE2\x86\xA3",  // 147
        "\xE2\x86\xBC",  // 148
        "\xE2\x86\xBD",  // 149
        "\xE2\x87\x80",  // 150
        "\xE2\x87\x81",  // 151
        "\xE2\x87\x8C",  // 152
        "\xE2\x87\x8B",  // 153
        "\xE2\x86\xBF",  // 154
        "\xE2\x86\xBE",  // 155
        "\xE2\x87\x83",  // 156
        "\xE2\x87\x82",  // 157
        "\xE2\x87\x89",  // 158
        "\xE2\x87\x87",  // 159
        "\xE2\x8B\x93",  // 160
        "\xE2\x8B\x92",  // 161
        "\xE2\x8B\x90",  // 162
        "\xE2\x8B\x91",  // 163
        "\xE2\x8A\x9A",  // 164
        "\xE2\x8A\x9B",  // 165
        "\xE2\x8A\x9D",  // 166
        "\xE2\x84\xA7",  // 167
        "\xE2\x88\xA1",  // 168
        "\xE2\x88\xA2",  // 169
        "\xE2\x97\x83",  // 170
        "\xE2\x96\xB9",  // 171
        "\xE2\x96\xB5",  // 172
        "\xE2\x96\xBF",  // 173
        "\xE2\x88\x94",  // 174
        "\xE2\x89\x90",  // 175
        "\xE2\x89\x92",  // 176
        "\xE2\x89\x93",  // 177
        "\xE2\x89\x8E",  // 178
        "\xE2\x89\x8D",  // 179
        "\xE2\x8A\xA8",  // 180
        "\xE2\x89\x98",  // 181
        "\xE2\x89\xAC",  // 182
        "\xCA\x85",  // 183
        "\xE2\x98\x85",  // 184
        "\xE2\x89\xAE",  // 185
        "\xE2\x89\xB0",  // 186
        "\xE2\x89\xAF",  // 187
        "\xE2\x89\xB1",  // 188
        "\xE2\x89\x81",  // 189
        "\xE2\x89\x84",  // 190
        "\xE2\x89\x87",  // 191
        "\xE2\x89\x89",  // 192
        "\xE2\x8A\x80",  // 193
        "\xE2\x8B\xA0",  // 194
        "\xE2\x8A\x81",  // 195
        "\xE2\x8B\xA1",  // 196
        "\xE2\x8A\x84",  // 197
        "\xE2\x8A\x85",  // 198
        "\xE2\x8A\x88",  // 199
        "\xE2\x8A\x89",  // 200
        nullptr,  // 201
        nullptr,  // 202
        "\xE2\x8B\xA2",  // 203
        "\xE2\x8B\xA3",  // 204
        "\xE2\x88\xA6",  // 205
        "\xE2\x88\xA4",  // 206
        "\xE2\x89\xAD",  // 207
        "\xE2\x88\x84",  // 208
        "\xE2\x88\x89",  // 209
        "\xE2\x89\x87",  // 210
        "\xE2\x84\xB0",  // 211
        "\xE2\x84\xB1",  // 212
        "\xE2\x84\x82",  // 213
        nullptr,  // 214
        "\xE2\x84\x95",  // 215
        "\xE2\x84\x9D",  // 216
        "\xE2\x89\x9F",  // 217
        "\xE2\x8A\xBE",  // 218
        "\xE2\x88\x8B",  // 219
        "\xE2\x8B\xAF",  // 220
        "\xE2\x80\xA6",  // 221
        "\xE2\x8B\xAE",  // 222
        "\xE2\x8B\xB1",  // 223
        nullptr,  // 224
        "\xC2\xA0\xE2\x83\xA1",  // 225
        "+",  // 226
        "-",  // 227
        "=",  // 228
        "*",  // 229
        "\xE2\x80\xB2",  // 230
        "\xE2\x80\xB3",  // 231
        "\xE2\x80\xB4",  // 232
        "\xE2\x84\x8B",  // 233
        "\xE2\x84\x98",  // 234
        "\xE2\x89\xB2",  // 235
        "\xE2\x89\xB3",  // 236
        nullptr,  // 237
        nullptr,  // 238
        nullptr,  // 239
        nullptr,  // 240
        nullptr,  // 241
        nullptr,  // 242
        nullptr,  // 243
        nullptr,  // 244
        nullptr,  // 245
        nullptr,  // 246
        nullptr,  // 247
        nullptr,  // 248
        nullptr,  // 249
        nullptr,  // 250
        nullptr,  // 251
        nullptr,  // 252
        nullptr,  // 253
        nullptr,  // 254
        nullptr,  // 255
    },
    {  // table 7
        "\xE2\x8C\xA0",  // 0
        "\xE2\x8C\xA1",  // 1
        "\xE2\x8E\xA5",  // 2
        "\xE2\x8E\xBD",  // 3
        "\xE2\x88\x9A",  // 4
        nullptr,  // 5
        "\xE2\x88\x91",  // 6
        "\xE2\x88\x8F",  // 7
        "\xE2\x88\x90",  // 8
        "\xE2\x88\xAB",  // 9
        "\xE2\x88\xAE",  // 10
        "\xE2\x8E\xAA",  // 11
        nullptr,  // 12
        nullptr,  // 13
        nullptr,  // 14
        nullptr,  // 15
        nullptr,  // 16
        nullptr,  // 17
        nullptr,  // 18
        nullptr,  // 19
        nullptr,  // 20
        nullptr,  // 21
        nullptr,  // 22
        nullptr,  // 23
        nullptr,  // 24
        "\xE2\x8E\xA7",  // 25
        "\xE2\x8E\xA8",  // 26
        "\xE2\x8E\xA9",  // 27
        "\xE2\x8E\xAA",  // 28
        nullptr,  // 29
        nullptr,  // 30
        nullptr,  // 31
        nullptr,  // 32
        "\xE2\x8E\xAB",  // 33
        "\xE2\x8E\xAC",  // 34
        "\xE2\x8E\xAD",  // 35
        "\xE2\x8E\xAA",  // 36
        nullptr,  // 37
        nullptr,  // 38
        nullptr,  // 39
        nullptr,  // 40
        nullptr,  // 41
        nullptr,  // 42
        nullptr,  // 43
        nullptr,  // 44
        nullptr,  // 45
        nullptr,  // 46
        nullptr,  // 47
        nullptr,  // 48
        nullptr,  // 49
        nullptr,  // 50
        nullptr,  // 51
        nullptr,  // 52
        nullptr,  // 53
        nullptr,  // 54
        nullptr,  // 55
        nullptr,  // 56
        nullptr,  // 57
        nullptr,  // 58
        nullptr,  // 59
        nullptr,  // 60
        "\xE2\x88\xAA",  // 61
        "\xE2\x88\xAB",  // 62
        nullptr,  // 63
        nullptr,  // 64
        nullptr,  // 65
        nullptr,  // 66
        nullptr,  // 67
        nullptr,  // 68
        nullptr,  // 69
        nullptr,  // 70
        nullptr,  // 71
        nullptr,  // 72
        nullptr,  // 73
        nullptr,  // 74
        nullptr,  // 75
        nullptr,  // 76
        nullptr,  // 77
        nullptr,  // 78
        nullptr,  // 79
        nullptr,  // 80
        nullptr,  // 81
        nullptr,  // 82
        nullptr,  // 83
        nullptr,  // 84
        nullptr,  // 85
        nullptr,  // 86
        nullptr,  // 87
        nullptr,  // 88
        nullptr,  // 89
        nullptr,  // 90
        nullptr,  // 91
        nullptr,  // 92
        nullptr,  // 93
        nullptr,  // 94
        nullptr,  // 95
        nullptr,  // 96
        nullptr,  // 97
        nullptr,  // 98
        nullptr,  // 99
        nullptr,  // 100
        nullptr,  // 101
        nullptr,  // 102
        nullptr,  // 103
        "\xE2\x8E\x9B",  // 104
        "\xE2\x8E\x9D",  // 105
        "\xE2\x8E\x9C",  // 106
        nullptr,  // 107
        nullptr,  // 108
        nullptr,  // 109
        nullptr,  // 110
        "\xE2\x8E\x9E",  // 111
        "\xE2\x8E\xA8",  // 112
        "\xE2\x8E\x9F",  // 113
        nullptr,  // 114
        nullptr,  // 115
        nullptr,  // 116
        nullptr,  // 117
        "\xE2\x8E\xA1",  // 118
        "\xE2\x8E\xA3",  // 119
        "\xE2\x8E\xA2",  // 120
        nullptr,  // 121
        "\xE2\x82\xAA",  // 122
        nullptr,  // 123
        nullptr,  // 124
        "\xE2\x8E\xA4",  // 125
        "\xE2\x8E\xA6",  // 126
        "\xE2\x8E\xA5",  // 127
        nullptr,  // 128
        nullptr,  // 129
        nullptr,  // 130
        nullptr,  // 131
        nullptr,  // 132
        nullptr,  // 133
        nullptr,  // 134
        nullptr,  // 135
        nullptr,  // 136
        nullptr,  // 137
        nullptr,  // 138
        nullptr,  // 139
        nullptr,  // 140
        nullptr,  // 141
        nullptr,  // 142
        nullptr,  // 143
        "\xE2\x8B\x83",  // 144
        "\xE2\x8B\x82",  // 145
        "\xE2\x8A\x8E",  // 146
        "\xE2\xA8\x84",  // 147
        "\xE2\x8A\x94",  // 148
        "\xE2\xA8\x86",  // 149
        "\xE2\x88\xA7",  // 150
        "\xE2\x8B\x80",  // 151
        "\xE2\x88\xA8",  // 152
        "\xE2\x8B\x81",  // 153
        "\xE2\x8A\x97",  // 154
        "\xE2\xA8\x82",  // 155
        "\xE2\x8A\x95",  // 156
        "\xE2\xA8\x81",  // 157
        "\xE2\x8A\x99",  // 158
        "\xE2\xA8\x80",  // 159
        nullptr,  // 160
        nullptr,  // 161
        nullptr,  // 162
        nullptr,  // 163
        nullptr,  // 164
        nullptr,  // 165
        nullptr,  // 166
        nullptr,  // 167
        nullptr,  // 168
        nullptr,  // 169
        nullptr,  // 170
        nullptr,  // 171
        nullptr,  // 172
        nullptr,  // 173
        nullptr,  // 174
        nullptr,  // 175
        nullptr,  // 176
        nullptr,  // 177
        nullptr,  // 178
        nullptr,  // 179
        "\xE2\x8A\x9D",  // 180
        nullptr,  // 181
        "\xE2\x88\xB8",  // 182
        nullptr,  // 183
        "\xE2\x9F\xA6",  // 184
        nullptr,  // 185
        nullptr,  // 186
        nullptr,  // 187
        nullptr,  // 188
        nullptr,  // 189
        nullptr,  // 190
        "\xE2\x9F\xA7",  // 191
        nullptr,  // 192
        nullptr,  // 193
        nullptr,  // 194
        nullptr,  // 195
        nullptr,  // 196
        nullptr,  // 197
        nullptr,  // 198
        nullptr,  // 199
        "\xE2\x86\xBC",  // 200
        "\xE2\x86\xBD",  // 201
        nullptr,  // 202
        "\xE2\xA5\xAC",  // 203
        "\xE2\xA5\xAD",  // 204
        "\xE2\xA5\xAA",  // 205
        "\xE2\xA5\xAB",  // 206
        nullptr,  // 207
        "\xE2\x87\x89",  // 208
        "\xE2\x87\x87",  // 209
        nullptr,  // 210
        nullptr,  // 211
        nullptr,  // 212
        nullptr,  // 213
        nullptr,  // 214
        nullptr,  // 215
        "\xE2\x86\xBE",  // 216
        "\xE2\x86\xBF",  // 217
        "\xE2\x87\x83",  // 218
        "\xE2\x87\x82",  // 219
        nullptr,  // 220
        "\xE2\x8A\x93",  // 221
        "\xE2\xA8\x85",  // 222
        "\xE2\x8E\xA1",  // 223
        nullptr,  // 224
        nullptr,  // 225
        nullptr,  // 226
        nullptr,  // 227
        nullptr,  // 228
        nullptr,  // 229
        nullptr,  // 230
        nullptr,  // 231
        nullptr,  // 232
        nullptr,  // 233
        nullptr,  // 234
        nullptr,  // 235
        nullptr,  // 236
        nullptr,  // 237
        nullptr,  // 238
        nullptr,  // 239
        nullptr,  // 240
        nullptr,  // 241
        nullptr,  // 242
        nullptr,  // 243
        nullptr,  // 244
        nullptr,  // 245
        nullptr,  // 246
        nullptr,  // 247
        nullptr,  // 248
        nullptr,  // 249
        nullptr,  // 250
        nullptr,  // 251
        nullptr,  // 252
        nullptr,  // 253
        nullptr,  // 254
        nullptr,  // 255
    },
    {  // table 8
        "\xCE\x91",  // 0
        "\xCE\xB1",  // 1
        "\xCE\x92",  // 2
        "\xCE\xB2",  // 3
        "\xCE\x92",  // 4
        "\xCF\x90",  // 5
        "\xCE\x93",  // 6
        "\xCE\xB3",  // 7
        "\xCE\x94",  // 8
        "\xCE\xB4",  // 9
        "\xCE\x95",  // 10
        "\xCE\xB5",  // 11
        "\xCE\x96",  // 12
        "\xCE\xB6",  // 13
        "\xCE\x97",  // 14
        "\xCE\xB7",  // 15
        "\xCE\x98",  // 16
        "\xCE\xB8",  // 17
        "\xCE\x99",  // 18
        "\xCE\xB9",  // 19
        "\xCE\x9A",  // 20
        "\xCE\xBA",  // 21
        "\xCE\x9B",  // 22
        "\xCE\xBB",  // 23
        "\xCE\x9C",  // 24
        "\xCE\xBC",  // 25
        "\xCE\x9D",  // 26
        "\xCE\xBD",  // 27
        "\xCE\x9E",  // 28
        "\xCE\xBE",  // 29
        "\xCE\x9F",  // 30
        "\xCE\xBF",  // 31
        "\xCE\xA0",  // 32
        "\xCF\x80",  // 33
        "\xCE\xA1",  // 34
        "\xCF\x81",  // 35
        "\xCE\xA3",  // 36
        "\xCF\x83",  // 37
        "\xCF\xB9",  // 38
        "\xCF\x9B",  // 39
        "\xCE\xA4",  // 40
        "\xCF\x84",  // 41
        "\xCE\xA5",  // 42
        "\xCF\x85",  // 43
        "\xCE\xA6",  // 44
        "\xCF\x95",  // 45
        "\xCE\xA7",  // 46
        "\xCF\x87",  // 47
        "\xCE\xA8",  // 48
        "\xCF\x88",  // 49
        "\xCE\xA9",  // 50
        "\xCF\x89",  // 51
        "\xCE\xAC",  // 52
        "\xCE\xAD",  // 53
        "\xCE\xAE",  // 54
        "\xCE\xAF",  // 55
        "\xCF\x8A",  // 56
        "\xCF\x8C",  // 57
        "\xCF\x8D",  // 58
        "\xCF\x8B",  // 59
        "\xCF\x8E",  // 60
        "\xCE\xB5",  // 61
        "\xCF\x91",  // 62
        "\xCF\xB0",  // 63
        "\xCF\x96",  // 64
        "\xE1\xBF\xA5",  // 65
        "\xCF\x92",  // 66
        "\xCF\x86",  // 67
        "\xCF\x89",  // 68
        ";",  // 69
        "\xC2\xB7",  // 70
        "\xCE\x84",  // 71
        "\xC2\xA8",  // 72
        "\xCE\x85",  // 73
        "\xE1\xBF\xAD",  // 74
        "`",  // 75
        "\xE1\xBF\x80",  // 76
        "\xE1\xBE\xBD",  // 77
        "\xE1\xBE\xBF",  // 78
        "\xCE\xB9",  // 79
        "\xE1\xBF\x8E",  // 80
        "\xE1\xBF\x9E",  // 81
        "\xE1\xBF\x8D",  // 82
        "\xE1\xBF\x9D",  // 83
        "\xE1\xBF\x8F",  // 84
        "\xE1\xBF\x9F",  // 85
        "\xCE\x84",  // 86
        "`",  // 87
        "\xE1\xBF\x80",  // 88
        "\xE1\xBE\xBD",  // 89
        "\xE1\xBE\xBF",  // 90
        "\xE1\xBF\x8E",  // 91
        "\xE1\xBF\x9E",  // 92
        "\xE1\xBF\x8D",  // 93
        "\xE1\xBF\x9D",  // 94
        "\xE1\xBF\x8F",  // 95
        "\xE1\xBF\x9F",  // 96
        "\xE1\xBD\xB0",  // 97
        "\xE1\xBE\xB6",  // 98
        "\xE1\xBE\xB3",  // 99
        "\xE1\xBE\xB4",  // 100
        "\xE1\xBE\xB7",  // 101
        "\xE1\xBC\x80",  // 102
        "\xE1\xBC\x84",  // 103
        "\xE1\xBC\x82",  // 104
        "\xE1\xBC\x86",  // 105
        "\xE1\xBE\x80",  // 106
        "\xE1\xBE\x84",  // 107
        "\xE1\xBE\x86",  // 108
        "\xE1\xBC\x81",  // 109
        "\xE1\xBC\x85",  // 110
        "\xE1\xBC\x83",  // 111
        "\xE1\xBC\x87",  // 112
        "\xE1\xBE\x81",  // 113
        "\xE1\xBE\x85",  // 114
        "\xE1\xBE\x87",  // 115
        "\xE1\xBD\xB2",  // 116
        "\xE1\xBC\x90",  // 117
        "\xE1\xBC\x94",  // 118
        "\xE1\xBC\x93",  // 119
        "\xE1\xBC\x91",  // 120
        "\xE1\xBC\x95",  // 121
        "\xE1\xBC\x93",  // 122
        "\xE1\xBD\xB4",  // 123
        "\xE1\xBF\x86",  // 124
        "\xE1\xBF\x83",  // 125
        "\xE1\xBF\x84",  // 126
        "\xE1\xBF\x82",  // 127
        "\xE1\xBF\x87",  // 128
        "\xE1\xBC\xA0",  // 129
        "\xE1\xBC\xA4",  // 130
        "\xE1\xBC\xA2",  // 131
        "\xE1\xBC\xA6",  // 132
        "\xE1\xBE\x90",  // 133
        "\xE1\xBE\x94",  // 134
        "\xE1\xBE\x96",  // 135
        "\xE1\xBC\xA1",  // 136
        "\xE1\xBC\xA5",  // 137
        "\xE1\xBC\xA3",  // 138
        "\xE1\xBC\xA7",  // 139
        "\xE1\xBE\x91",  // 140
        "\xE1\xBE\x95",  // 141
        "\xE1\xBE\x97",  // 142
        "\xE1\xBD\xB6",  // 143
        "\xE1\xBF\x96",  // 144
        "\xCE\x90",  // 145
        "\xE1\xBF\x92",  // 146
        "\xE1\xBC\xB0",  // 147
        "\xE1\xBC\xB4",  // 148
        "\xE1\xBC\xB2",  // 149
        "\xE1\xBC\xB6",  // 150
        "\xE1\xBC\xB1",  // 151
        "\xE1\xBC\xB5",  // 152
        "\xE1\xBC\xB3",  // 153
        "\xE1\xBC\xB7",  // 154
        "\xE1\xBD\xB8",  // 155
        "\xE1\xBD\x80",  // 156
        "\xE1\xBD\x84",  // 157
        "\xE1\xBD\x82",  // 158
        "\xE1\xBD\x81",  // 159
        "\xE1\xBD\x85",  // 160
        "\xE1\xBD\x83",  // 161
        "\xE1\xBD\xBA",  // 162
        "\xE1\xBF\xA6",  // 163
        "\xCE\xB0",  // 164
        "\xCE\xB0",  // 165
        "\xE1\xBD\x90",  // 166
        "\xE1\xBD\x94",  // 167
        "\xE1\xBD\x92",  // 168
        "\xE1\xBD\x96",  // 169
        "\xE1\xBD\x91",  // 170
        "\xE1\xBD\x95",  // 171
        "\xE1\xBD\x93",  // 172
        "\xE1\xBD\x97",  // 173
        "\xE1\xBD\xBC",  // 174
        "\xE1\xBF\xB6",  // 175
        "\xE1\xBF\xB3",  // 176
        "\xE1\xBF\xB4",  // 177
        "\xE1\xBF\xB2",  // 178
        "\xE1\xBF\xB7",  // 179
        "\xE1\xBD\xA0",  // 180
        "\xE1\xBD\xA4",  // 181
        "\xE1\xBD\xA2",  // 182
        "\xE1\xBD\xA6",  // 183
        "\xE1\xBE\xA0",  // 184
        "\xE1\xBE\xA4",  // 185
        "\xE1\xBE\xA6",  // 186
        "\xE1\xBD\xA1",  // 187
        "\xE1\xBD\xA5",  // 188
        "\xE1\xBD\xA3",  // 189
        "\xE1\xBD\xA7",  // 190
        "\xE1\xBE\xA1",  // 191
        "\xE1\xBE\xA5",  // 192
        "\xE1\xBE\xA7",  // 193
        "\xCA\xB9",  // 194
        "\xCD\xB5",  // 195
        "\xCF\x9B",  // 196
        "\xCF\x9D",  // 197
        "\xCF\x99",  // 198
        "\xCF\xA1",  // 199
        "\xCE\x86",  // 200
        "\xCE\x88",  // 201
        "\xCE\x89",  // 202
        "\xCE\x8A",  // 203
        "\xCE\x8C",  // 204
        "\xCE\x8E",  // 205
        "\xCE\x8F",  // 206
        "\xCE\xAA",  // 207
        "\xCE\xAB",  // 208
        "\xE1\xBF\xA5",  // 209
        nullptr,  // 210
        nullptr,  // 211
        nullptr,  // 212
        nullptr,  // 213
        nullptr,  // 214
        nullptr,  // 215
        nullptr,  // 216
        nullptr,  // 217
        nullptr,  // 218
        nullptr,  // 219
        nullptr,  // 220
        nullptr,  // 221
        nullptr,  // 222
        nullptr,  // 223
        nullptr,  // 224
        nullptr,  // 225
        nullptr,  // 226
        nullptr,  // 227
        nullptr,  // 228
        nullptr,  // 229
        nullptr,  // 230
        nullptr,  // 231
        nullptr,  // 232
        nullptr,  // 233
        nullptr,  // 234
        nullptr,  // 235
        nullptr,  // 236
        nullptr,  // 237
        nullptr,  // 238
        nullptr,  // 239
        nullptr,  // 240
        nullptr,  // 241
        nullptr,  // 242
        nullptr,  // 243
        nullptr,  // 244
        nullptr,  // 245
        nullptr,  // 246
        nullptr,  // 247
        nullptr,  // 248
        nullptr,  // 249
        nullptr,  // 250
        nullptr,  // 251
        nullptr,  // 252
        nullptr,  // 253
        nullptr,  // 254
        nullptr,  // 255
    },
    {  // table 9
        "\xD7\x90",  // 0
        "\xD7\x91",  // 1
        "\xD7\x92",  // 2
        "\xD7\x93",  // 3
        "\xD7\x94",  // 4
        "\xD7\x95",  // 5
        "\xD7\x96",  // 6
        "\xD7\x97",  // 7
        "\xD7\x98",  // 8
        "\xD7\x99",  // 9
        "\xD7\x9A",  // 10
        "\xD7\x9B",  // 11
        "\xD7\x9C",  // 12
        "\xD7\x9D",  // 13
        "\xD7\x9E",  // 14
        "\xD7\x9F",  // 15
        "\xD7\xA0",  // 16
        "\xD7\xA1",  // 17
        "\xD7\xA2",  // 18
        "\xD7\xA3",  // 19
        "\xD7\xA4",  // 20
        "\xD7\xA5",  // 21
        "\xD7\xA6",  // 22
        "\xD7\xA7",  // 23
        "\xD7\xA8",  // 24
        "\xD7\xA9",  // 25
        "\xD7\xAA",  // 26
        "\xD6\xBE",  // 27
        "\xD7\x80",  // 28
        "\xD7\x83",  // 29
        "\xD7\xB3",  // 30
        "\xD7\xB4",  // 31
        "\xC2\xA0\xD6\xB0",  // 32
        "\xC2\xA0\xD6\xB1",  // 33
        "\xC2\xA0\xD6\xB2",  // 34
        "\xC2\xA0\xD6\xB3",  // 35
        "\xC2\xA0\xD6\xB4",  // 36
        "\xC2\xA0\xD6\xB5",  // 37
        "\xC2\xA0\xD6\xB6",  // 38
        "\xC2\xA0\xD6\xB7",  // 39
        "\xC2\xA0\xD6\xB8",  // 40
        "\xC2\xA0\xD6\xB9",  // 41
        "\xC2\xA0\xD6\xBA",  // 42
        "\xC2\xA0\xD6\xBB",  // 43
        "\xC2\xA0\xD6\xBC",  // 44
        "\xC2\xA0\xD6\xBD",  // 45
        "\xC2\xA0\xD6\xBF",  // 46
        "\xC2\xA0\xD6\xB7",  // 47
        "\xEF\xAF\xA1",  // 48
        "\xD7\xB0",  // 49
        "\xD7\xB1",  // 50
        "\xD7\xB2",  // 51
        "\xC2\xA0\xD6\x91",  // 52
        "\xC2\xA0\xD6\x96",  // 53
        "\xC2\xA0\xD6\xAD",  // 54
        "\xC2\xA0\xD6\xA4",  // 55
        "\xC2\xA0\xD6\x9A",  // 56
        "\xC2\xA0\xD6\x9B",  // 57
        "\xC2\xA0\xD6\xA3",  // 58
        "\xC2\xA0\xD6\xA5",  // 59
        "\xC2\xA0\xD6\xA6",  // 60
        "\xC2\xA0\xD6\xA7",  // 61
        "\xE0\xA6\xAA",  // 62
        "\xC2\xA0\xD6\x92",  // 63
        "\xC2\xA0\xD6\x93",  // 64
        "\xC2\xA0\xD6\x94",  // 65
        "\xC2\xA0\xD6\x95",  // 66
        "\xC2\xA0\xD6\x97",  // 67
        "\xC2\xA0\xD6\x98",  // 68
        "\xC2\xA0\xD6\x99",  // 69
        "\xC2\xA0\xD6\xA8",  // 70
        "\xC2\xA0\xD6\x9C",  // 71
        "\xC2\xA0\xD6\x9D",  // 72
        "\xC2\xA0\xD6\x9E",  // 73
        "\xC2\xA0\xD6\xA1",  // 74
        "\xC2\xA0\xD6\xA9",  // 75
        "\xC2\xA0\xD6\xA0",  // 76
        "\xC2\xA0\xD6\x9F",  // 77
        "\xC2\xA0\xD6\xAB",  // 78
        "\xC2\xA0\xD6\xAC",  // 79
        "\xC2\xA0\xD6\xAF",  // 80
        "\xC2\xA0\xD7\x84",  // 81
        "\xD5\x84",  // 82
        "\xD7\x90",  // 83
        "\xD7\x91\xD6\xBC",  // 84
        "\xD7\x92\xD6\xBC",  // 85
        "\xD7\x93\xD6\xBC",  // 86
        "\xD7\x94\xD6\xBC",  // 87
        "\xD7\x95\xD6\xBC",  // 88
        "\xD7\x95\xD6\xB9",  // 89
        "\xD7\x96\xD6\xBC",  // 90
        "\xD7\x97",  // 91
        "\xD7\x98\xD6\xBC",  // 92
        "\xD7\x99\xD6\xBC",  // 93
        "\xD7\x9B\xD6\xBC",  // 94
        "\xD7\x9A\xD6\xBC",  // 95
        "\xD7\x9A",  // 96
        "\xD7\x9A",  // 97
        "\xD7\x9A",  // 98
        "\xD7\x9A",  // 99
        "\xD7\x9A",  // 100
        "\xD7\x9A",  // 101
        "\xD7\x9C\xD6\xBC",  // 102
        "\xD7\x9E\xD6\xBC",  // 103
        "\xD7\xA0\xD6\xBC",  // 104
        "\xD7\x9F",  // 105
        "\xD7\xA1\xD6\xBC",  // 106
        "\xD7\xA4\xD6\xBC",  // 107
        "\xD7\xA6\xD6\xBC",  // 108
        "\xD7\xA7\xD6\xBC",  // 109
        "\xD7\xA9\xD7\x82",  // 110
        "\xD7\xA9\xD6\xBC\xD7\x82",  // 111
        "\xD7\xA9\xD7\x81",  // 112
        "\xD7\xA9\xD6\xBC\xD7\x81",  // 113
        "\xD7\xAA\xD6\xBC",  // 114
        "\xD7\x91\xD6\xBF",  // 115
        "\xD7\xA4\xD6\xBF",  // 116
        "\xD7\xB2\xD6\xB7",  // 117
        "\xD7\x99\xD6\xB4",  // 118
        nullptr,  // 119
        nullptr,  // 120
        nullptr,  // 121
        nullptr,  // 122
        nullptr,  // 123
        nullptr,  // 124
        nullptr,  // 125
        nullptr,  // 126
        nullptr,  // 127
        nullptr,  // 128
        nullptr,  // 129
        nullptr,  // 130
        nullptr,  // 131
        nullptr,  // 132
        nullptr,  // 133
        nullptr,  // 134
        nullptr,  // 135
        nullptr,  // 136
        nullptr,  // 137
        nullptr,  // 138
        nullptr,  // 139
        nullptr,  // 140
        nullptr,  // 141
        nullptr,  // 142
        nullptr,  // 143
        nullptr,  // 144
        nullptr,  // 145
        nullptr,  // 146
        nullptr,  // 147
        nullptr,  // 148
        nullptr,  // 149
        nullptr,  // 150
        nullptr,  // 151
        nullptr,  // 152
        nullptr,  // 153
        nullptr,  // 154
        nullptr,  // 155
        nullptr,  // 156
        nullptr,  // 157
        nullptr,  // 158
        nullptr,  // 159
        nullptr,  // 160
        nullptr,  // 161
        nullptr,  // 162
        nullptr,  // 163
        nullptr,  // 164
        nullptr,  // 165
        nullptr,  // 166
        nullptr,  // 167
        nullptr,  // 168
        nullptr,  // 169
        nullptr,  // 170
        nullptr,  // 171
        nullptr,  // 172
        nullptr,  // 173
        nullptr,  // 174
        nullptr,  // 175
        nullptr,  // 176
        nullptr,  // 177
        nullptr,  // 178
        nullptr,  // 179
        nullptr,  // 180
        nullptr,  // 181
        nullptr,  // 182
        nullptr,  // 183
        nullptr,  // 184
        nullptr,  // 185
        nullptr,  // 186
        nullptr,  // 187
        nullptr,  // 188
        nullptr,  // 189
        nullptr,  // 190
        nullptr,  // 191
        nullptr,  // 192
        nullptr,  // 193
        nullptr,  // 194
        nullptr,  // 195
        nullptr,  // 196
        nullptr,  // 197
        nullptr,  // 198
        nullptr,  // 199
        nullptr,  // 200
        nullptr,  // 201
        nullptr,  // 202
        nullptr,  // 203
        nullptr,  // 204
        nullptr,  // 205
        nullptr,  // 206
        nullptr,  // 207
        nullptr,  // 208
        nullptr,  // 209
        nullptr,  // 210
        nullptr,  // 211
        nullptr,  // 212
        nullptr,  // 213
        nullptr,  // 214
        nullptr,  // 215
        nullptr,  // 216
        nullptr,  // 217
        nullptr,  // 218
        nullptr,  // 219
        nullptr,  // 220
        nullptr,  // 221
        nullptr,  // 222
        nullptr,  // 223
        nullptr,  // 224
        nullptr,  // 225
        nullptr,  // 226
        nullptr,  // 227
        nullptr,  // 228
        nullptr,  // 229
        nullptr,  // 230
        nullptr,  // 231
        nullptr,  // 232
        nullptr,  // 233
        nullptr,  // 234
        nullptr,  // 235
        nullptr,  // 236
        nullptr,  // 237
        nullptr,  // 238
        nullptr,  // 239
        nullptr,  // 240
        nullptr,  // 241
        nullptr,  // 242
        nullptr,  // 243
        nullptr,  // 244
        nullptr,  // 245
        nullptr,  // 246
        nullptr,  // 247
        nullptr,  // 248
        nullptr,  // 249
        nullptr,  // 250
        nullptr,  // 251
        nullptr,  // 252
        nullptr,  // 253
        nullptr,  // 254
        nullptr,  // 255
    },
    {  // table 10
        "\xD0\x90",  // 0
        "\xD0\xB0",  // 1
        "\xD0\x91",  // 2
        "\xD0\xB1",  // 3
        "\xD0\x92",  // 4
        "\xD0\xB2",  // 5
        "\xD0\x93",  // 6
        "\xD0\xB3",  // 7
        "\xD0\x94",  // 8
        "\xD0\xB4",  // 9
        "\xD0\x95",  // 10
        "\xD0\xB5",  // 11
        "\xD0\x81",  // 12
        "\xD1\x91",  // 13
        "\xD0\x96",  // 14
        "\xD0\xB6",  // 15
        "\xD0\x97",  // 16
        "\xD0\xB7",  // 17
        "\xD0\x98",  // 18
        "\xD0\xB8",  // 19
        "\xD0\x99",  // 20
        "\xD0\xB9",  // 21
        "\xD0\x9A",  // 22
        "\xD0\xBA",  // 23
        "\xD0\x9B",  // 24
        "\xD0\xBB",  // 25
        "\xD0\x9C",  // 26
        "\xD0\xBC",  // 27
        "\xD0\x9D",  // 28
        "\xD0\xBD",  // 29
        "\xD0\x9E",  // 30
        "\xD0\xBE",  // 31
        "\xD0\x9F",  // 32
        "\xD0\xBF",  // 33
        "\xD0\xA0",  // 34
        "\xD1\x80",  // 35
        "\xD0\xA1",  // 36
        "\xD1\x81",  // 37
        "\xD0\xA2",  // 38
        "\xD1\x82",  // 39
        "\xD0\xA3",  // 40
        "\xD1\x83",  // 41
        "\xD0\xA4",  // 42
        "\xD1\x84",  // 43
        "\xD0\xA5",  // 44
        "\xD1\x85",  // 45
        "\xD0\xA6",  // 46
        "\xD1\x86",  // 47
        "\xD0\xA7",  // 48
        "\xD1\x87",  // 49
        "\xD0\xA8",  // 50
        "\xD1\x88",  // 51
        "\xD0\xA9",  // 52
        "\xD1\x89",  // 53
        "\xD0\xAA",  // 54
        "\xD1\x8A",  // 55
        "\xD0\xAB",  // 56
        "\xD1\x8B",  // 57
        "\xD0\xAC",  // 58
        "\xD1\x8C",  // 59
        "\xD0\xAD",  // 60
        "\xD1\x8D",  // 61
        "\xD0\xAE",  // 62
        "\xD1\x8E",  // 63
        "\xD0\xAF",  // 64
        "\xD1\x8F",  // 65
        "\xD2\x90",  // 66
        "\xD2\x91",  // 67
        "\xD0\x82",  // 68
        "\xD1\x92",  // 69
        "\xD0\x83",  // 70
        "\xD1\x93",  // 71
        "\xD0\x84",  // 72
        "\xD1\x94",  // 73
        "\xD0\x85",  // 74
        "\xD1\x95",  // 75
        "\xD0\x86",  // 76
        "\xD1\x96",  // 77
        "\xD0\x87",  // 78
        "\xD1\x97",  // 79
        "\xD0\x88",  // 80
        "\xD1\x98",  // 81
        "\xD0\x89",  // 82
        "\xD1\x99",  // 83
        "\xD0\x8A",  // 84
        "\xD1\x9A",  // 85
        "\xD0\x8B",  // 86
        "\xD1\x9B",  // 87
        "\xD0\x8C",  // 88
        "\xD1\x9C",  // 89
        "\xD0\x8E",  // 90
        "\xD1\x9E",  // 91
        "\xD0\x8F",  // 92
        "\xD1\x9F",  // 93
        "\xD1\xA2",  // 94
        "\xD1\xA3",  // 95
        "\xD1\xB2",  // 96
        "\xD1\xB3",  // 97
        "\xD1\xB4",  // 98
        "\xD1\xB5",  // 99
        "\xD1\xAA",  // 100
        "\xD1\xAB",  // 101
        "\xEA\x99\x80",  // 102
        "\xEA\x99\x81",  // 103
        "\xD0\xA9",  // 104
        "\xD1\x89",  // 105
        "\xD3\x80",  // 106
        "\xD3\x8F",  // 107
        "\xD1\xA6",  // 108
        "\xD1\xA7",  // 109
        "\xD0\x90\xCC\x81",  // 110
        "\xD0\xB0\xCC\x81",  // 111
        "\xD0\x95\xCC\x81",  // 112
        "\xD0\xB5\xCC\x81",  // 113
        "\xD0\x98\xCC\x81",  // 114
        "\xD1\x98\xCC\x81",  // 115
        "\xD0\x9E\xCC\x81",  // 116
        "\xD0\xBE\xCC\x81",  // 117
        "\xD0\xA3\xCC\x81",  // 118
        "\xD1\x83\xCC\x81",  // 119
        "\xD0\xAB\xCC\x81",  // 120
        "\xD1\x8B\xCC\x81",  // 121
        "\xD0\xAD\xCC\x81",  // 122
        "\xD1\x8D\xCC\x81",  // 123
        "\xD0\xAE\xCC\x81",  // 124
        "\xD1\x8E\xCC\x81",  // 125
        "\xD0\xAF\xCC\x81",  // 126
        "\xD1\x8F\xCC\x81",  // 127
        "\xD0\x90\xCC\x80",  // 128
        "\xD0\xB0\xCC\x80",  // 129
        "\xD0\x80",  // 130
        "\xD1\x90",  // 131
        "\xD0\x81\xCC\x80",  // 132
        "\xD1\x91\xCC\x80",  // 133
        "\xD0\x8D",  // 134
        "\xD1\x9D",  // 135
        "\xD0\x9E\xCC\x80",  // 136
        "\xD0\xBE\xCC\x80",  // 137
        "\xD0\xA3\xCC\x80",  // 138
        "\xD1\x83\xCC\x80",  // 139
        "\xD0\xAB\xCC\x80",  // 140
        "\xD1\x8B\xCC\x80",  // 141
        "\xD0\xAD\xCC\x80",  // 142
        "\xD1\x8D\xCC\x80",  // 143
        "\xD0\xAE\xCC\x80",  // 144
        "\xD1\x8E\xCC\x80",  // 145
        "\xD0\xAF\xCC\x80",  // 146
        "\xD1\x8F\xCC\x80",  // 147
        "\xC2\xB4",  // 148
        "`",  // 149
        nullptr,  // 150
        nullptr,  // 151
        nullptr,  // 152
        nullptr,  // 153
        nullptr,  // 154
        nullptr,  // 155
        nullptr,  // 156
        nullptr,  // 157
        nullptr,  // 158
        nullptr,  // 159
        nullptr,  // 160
        nullptr,  // 161
        nullptr,  // 162
        nullptr,  // 163
        nullptr,  // 164
        nullptr,  // 165
        nullptr,  // 166
        nullptr,  // 167
        nullptr,  // 168
        nullptr,  // 169
        nullptr,  // 170
        nullptr,  // 171
        nullptr,  // 172
        nullptr,  // 173
        nullptr,  // 174
        nullptr,  // 175
        nullptr,  // 176
        nullptr,  // 177
        nullptr,  // 178
        nullptr,  // 179
        nullptr,  // 180
        nullptr,  // 181
        nullptr,  // 182
        nullptr,  // 183
        nullptr,  // 184
        nullptr,  // 185
        nullptr,  // 186
        nullptr,  // 187
        nullptr,  // 188
        nullptr,  // 189
        nullptr,  // 190
        nullptr,  // 191
        nullptr,  // 192
        nullptr,  // 193
        nullptr,  // 194
        nullptr,  // 195
        nullptr,  // 196
        nullptr,  // 197
        nullptr,  // 198
        nullptr,  // 199
        nullptr,  // 200
        nullptr,  // 201
        nullptr,  // 202
        nullptr,  // 203
        nullptr,  // 204
        nullptr,  // 205
        nullptr,  // 206
        nullptr,  // 207
        nullptr,  // 208
        nullptr,  // 209
        nullptr,  // 210
        nullptr,  // 211
        nullptr,  // 212
        nullptr,  // 213
        nullptr,  // 214
        nullptr,  // 215
        nullptr,  // 216
        nullptr,  // 217
        nullptr,  // 218
        nullptr,  // 219
        nullptr,  // 220
        nullptr,  // 221
        nullptr,  // 222
        nullptr,  // 223
        nullptr,  // 224
        nullptr,  // 225
        nullptr,  // 226
        nullptr,  // 227
        nullptr,  // 228
        nullptr,  // 229
        nullptr,  // 230
        nullptr,  // 231
        nullptr,  // 232
        nullptr,  // 233
        nullptr,  // 234
        nullptr,  // 235
        nullptr,  // 236
        nullptr,  // 237
        nullptr,  // 238
        nullptr,  // 239
        nullptr,  // 240
        nullptr,  // 241
        nullptr,  // 242
        nullptr,  // 243
        nullptr,  // 244
        nullptr,  // 245
        nullptr,  // 246
        nullptr,  // 247
        nullptr,  // 248
        nullptr,  // 249
        nullptr,  // 250
        nullptr,  // 251
        nullptr,  // 252
        nullptr,  // 253
        nullptr,  // 254
        nullptr,  // 255
    },
    {  // table 11
        "\xE3\x81\x81",  // 0
        "\xE3\x81\x83",  // 1
        "\xE3\x81\x85",  // 2
        "\xE3\x81\x87",  // 3
        "\xE3\x81\x89",  // 4
        "\xE3\x81\x93",  // 5
        "\xE3\x82\x83",  // 6
        "\xE3\x82\x85",  // 7
        "\xE3\x82\x87",  // 8
        "\xE3\x82\x94",  // 9
        "\xE3\x82\x95",  // 10
        "\xE3\x82\x96",  // 11
        "\xE3\x81\x82",  // 12
        "\xE3\x81\x84",  // 13
        "\xE3\x81\x86",  // 14
        "\xE3\x81\x88",  // 15
        "\xE3\x81\x8A",  // 16
        "\xE3\x81\x8B",  // 17
        "\xE3\x81\x8D",  // 18
        "\xE3\x81\x87",  // 19
        "\xE3\x81\x91",  // 20
        "\xE3\x81\x93",  // 21
        "\xE3\x81\x8C",  // 22
        "\xE3\x81\x8E",  // 23
        "\xE3\x81\x90",  // 24
        "\xE3\x81\x92",  // 25
        "\xE3\x81\x94",  // 26
        "\xE3\x81\x95",  // 27
        "\xE3\x81\x97",  // 28
        "\xE3\x81\x99",  // 29
        "\xE3\x81\x9B",  // 30
        "\xE3\x81\x9D",  // 31
        "\xE3\x81\x96",  // 32
        "\xE3\x81\x98",  // 33
        "\xE3\x81\x9A",  // 34
        "\xE3\x81\x9C",  // 35
        "\xE3\x81\x9E",  // 36
        "\xE3\x81\x9F",  // 37
        "\xE3\x81\x91",  // 38
        "\xE3\x81\xA4",  // 39
        "\xE3\x81\xA6",  // 40
        "\xE3\x81\xA8",  // 41
        "\xE3\x81\xA0",  // 42
        "\xE3\x81\xA2",  // 43
        "\xE3\x81\xA5",  // 44
        "\xE3\x81\xA7",  // 45
        "\xE3\x81\xA9",  // 46
        "\xE3\x81\xAA",  // 47
        "\xE3\x81\xAB",  // 48
        "\xE3\x81\xAC",  // 49
        "\xE3\x81\xAD",  // 50
        "\xE3\x81\xAE",  // 51
        "\xE3\x81\xAF",  // 52
        "\xE3\x81\xB2",  // 53
        "\xE3\x81\xB5",  // 54
        "\xE3\x81\xB8",  // 55
        "\xE3\x81\xBB",  // 56
        "\xE3\x81\xB0",  // 57
        "\xE3\x81\xB3",  // 58
        "\xE3\x81\xB6",  // 59
        "\xE3\x81\xB9",  // 60
        "\xE3\x81\xBC",  // 61
        "\xE3\x81\xB1",  // 62
        "\xE3\x81\xB4",  // 63
        "\xE3\x81\xB7",  // 64
        "\xE3\x81\xBA",  // 65
        "\xE3\x81\xBD",  // 66
        "\xE3\x81\xBE",  // 67
        "\xE3\x81\xBF",  // 68
        "\xE3\x82\x80",  // 69
        "\xE3\x82\x81",  // 70
        "\xE3\x82\x82",  // 71
        "\xE3\x82\x84",  // 72
        "\xE3\x82\x86",  // 73
        "\xE3\x82\x88",  // 74
        "\xE3\x82\x89",  // 75
        "\xE3\x82\x8A",  // 76
        "\xE3\x82\x8B",  // 77
        "\xE3\x82\x8C",  // 78
        "\xE3\x82\x8D",  // 79
        "\xE3\x82\x8E",  // 80
        "\xE3\x82\x92",  // 81
        "\xE3\x82\x93",  // 82
        "\xE3\x80\x94",  // 83
        "\xE3\x80\x95",  // 84
        "\xEF\xBC\xBB",  // 85
        "\xEF\xBC\xBD",  // 86
        "\xE3\x80\x8C",  // 87
        "\xE3\x80\x8D",  // 88
        "\xE3\x80\x8C",  // 89
        "\xE3\x80\x8D",  // 90
        "\xC2\xA0\xE3\x80\xAA",  // 91
        "\xE3\x80\x82",  // 92
        "\xE3\x80\x81",  // 93
        "\xE3\x82\x9D",  // 94
        "\xE3\x82\x9E",  // 95
        "\xE3\x80\x83",  // 96
        "\xE3\x83\xBC",  // 97
        "\xE3\x82\x9B",  // 98
        "\xE3\x82\x9C",  // 99
        "\xE3\x82\xA1",  // 100
        "\xE3\x82\xA3",  // 101
        "\xE3\x82\xA5",  // 102
        "\xE3\x82\xA7",  // 103
        "\xE3\x82\xA9",  // 104
        "\xE3\x83\x83",  // 105
        "\xE3\x83\xA3",  // 106
        "\xE3\x83\xA5",  // 107
        "\xE3\x81\x97",  // 108
        "\xE3\x83\xB4",  // 109
        "\xE3\x83\xB5",  // 110
        "\xE3\x83\xB6",  // 111
        "\xE3\x82\xA2",  // 112
        "\xE3\x82\xA4",  // 113
        "\xE3\x82\xA6",  // 114
        "\xE3\x82\xA8",  // 115
        "\xE3\x82\xAA",  // 116
        "\xE3\x82\xAB",  // 117
        "\xE3\x82\xAD",  // 118
        "\xE3\x82\xAF",  // 119
        "\xE3\x82\xB1",  // 120
        "\xE3\x82\xB3",  // 121
        "\xE3\x82\xAC",  // 122
        "\xE3\x82\xAE",  // 123
        "\xE3\x82\xB0",  // 124
        "\xE3\x82\xB2",  // 125
        "\xE3\x82\xB4",  // 126
        "\xE3\x82\xB5",  // 127
        "\xE3\x83\x84",  // 128
        "\xE3\x82\xB9",  // 129
        "\xE3\x82\xBB",  // 130
        "\xE3\x82\xBD",  // 131
        "\xE3\x82\xB6",  // 132
        "\xE3\x82\xB8",  // 133
        "\xE3\x82\xBA",  // 134
        "\xE3\x82\xBC",  // 135
        "\xE3\x82\xBE",  // 136
        "\xE3\x82\xBF",  // 137
        "\xE3\x83\x81",  // 138
        "\xE3\x83\x84",  // 139
        "\xE3\x83\x86",  // 140
        "\xE3\x83\x88",  // 141
        "\xE3\x83\x80",  // 142
        "\xE3\x83\x82",  // 143
        "\xE3\x83\x85",  // 144
        "\xE3\x83\x87",  // 145
        "\xE3\x83\x89",  // 146
        "\xE3\x83\x8A",  // 147
        "\xE3\x83\x8B",  // 148
        "\xE3\x83\x8C",  // 149
        "\xE3\x83\x8D",  // 150
        "\xE3\x83\x8E",  // 151
        "\xE3\x83\x8F",  // 152
        "\xE3\x83\x92",  // 153
        "\xE3\x83\x95",  // 154
        "\xE3\x83\x98",  // 155
        "\xCF\x90",  // 156
        "\xE3\x83\x9B",  // 157
        "\xE3\x83\x93",  // 158
        "\xE3\x83\x96",  // 159
        "\xE3\x83\x99",  // 160
        "\xE3\x83\x9C",  // 161
        "\xE3\x83\x91",  // 162
        "\xE3\x83\x94",  // 163
        "\xE3\x83\x97",  // 164
        "\xE3\x83\x9A",  // 165
        "\xE3\x83\x9D",  // 166
        "\xE3\x83\x9E",  // 167
        "\xE3\x83\x9F",  // 168
        "\xE3\x83\xA0",  // 169
        "\xE3\x83\xA1",  // 170
        "\xE3\x83\xA2",  // 171
        "\xE3\x83\xA4",  // 172
        "\xE3\x83\xA6",  // 173
        "\xE3\x83\xA8",  // 174
        "\xE3\x83\xA9",  // 175
        "\xE3\x83\xAA",  // 176
        "\xE3\x82\xAB",  // 177
        "\xE3\x83\xAC",  // 178
        "\xE3\x83\xAD",  // 179
        "\xE3\x83\xAF",  // 180
        "\xE3\x83\xB2",  // 181
        "\xE3\x83\xB3",  // 182
        "\xE3\x83\xBD",  // 183
        "\xE3\x83\xBE",  // 184
        nullptr,  // 185
        nullptr,  // 186
        nullptr,  // 187
        nullptr,  // 188
        nullptr,  // 189
        nullptr,  // 190
        nullptr,  // 191
        nullptr,  // 192
        nullptr,  // 193
        nullptr,  // 194
        nullptr,  // 195
        nullptr,  // 196
        nullptr,  // 197
        nullptr,  // 198
        nullptr,  // 199
        nullptr,  // 200
        nullptr,  // 201
        nullptr,  // 202
        nullptr,  // 203
        nullptr,  // 204
        nullptr,  // 205
        nullptr,  // 206
        nullptr,  // 207
        nullptr,  // 208
        nullptr,  // 209
        nullptr,  // 210
        nullptr,  // 211
        nullptr,  // 212
        nullptr,  // 213
        nullptr,  // 214
        nullptr,  // 215
        nullptr,  // 216
        nullptr,  // 217
        nullptr,  // 218
        nullptr,  // 219
        nullptr,  // 220
        nullptr,  // 221
        nullptr,  // 222
        nullptr,  // 223
        nullptr,  // 224
        nullptr,  // 225
        nullptr,  // 226
        nullptr,  // 227
        nullptr,  // 228
        nullptr,  // 229
        nullptr,  // 230
        nullptr,  // 231
        nullptr,  // 232
        nullptr,  // 233
        nullptr,  // 234
        nullptr,  // 235
        nullptr,  // 236
        nullptr,  // 237
        nullptr,  // 238
        nullptr,  // 239
        nullptr,  // 240
        nullptr,  // 241
        nullptr,  // 242
        nullptr,  // 243
        nullptr,  // 244
        nullptr,  // 245
        nullptr,  // 246
        nullptr,  // 247
        nullptr,  // 248
        nullptr,  // 249
        nullptr,  // 250
        nullptr,  // 251
        nullptr,  // 252
        nullptr,  // 253
        nullptr,  // 254
        nullptr,  // 255
    },
    {  // table 12
        nullptr,  // 0
        nullptr,  // 1
        nullptr,  // 2
        nullptr,  // 3
        nullptr,  // 4
        nullptr,  // 5
        nullptr,  // 6
        nullptr,  // 7
        nullptr,  // 8
        nullptr,  // 9
        nullptr,  // 10
        nullptr,  // 11
        nullptr,  // 12
        nullptr,  // 13
        nullptr,  // 14
        nullptr,  // 15
        nullptr,  // 16
        nullptr,  // 17
        nullptr,  // 18
        nullptr,  // 19
        nullptr,  // 20
        nullptr,  // 21
        nullptr,  // 22
        nullptr,  // 23
        nullptr,  // 24
        nullptr,  // 25
        nullptr,  // 26
        nullptr,  // 27
        nullptr,  // 28
        nullptr,  // 29
        nullptr,  // 30
        nullptr,  // 31
        nullptr,  // 32
        nullptr,  // 33
        nullptr,  // 34
        nullptr,  // 35
        nullptr,  // 36
        nullptr,  // 37
        nullptr,  // 38
        nullptr,  // 39
        nullptr,  // 40
        nullptr,  // 41
        nullptr,  // 42
        nullptr,  // 43
        nullptr,  // 44
        nullptr,  // 45
        nullptr,  // 46
        nullptr,  // 47
        nullptr,  // 48
        nullptr,  // 49
        nullptr,  // 50
        nullptr,  // 51
        nullptr,  // 52
        nullptr,  // 53
        nullptr,  // 54
        nullptr,  // 55
        nullptr,  // 56
        nullptr,  // 57
        nullptr,  // 58
        nullptr,  // 59
        nullptr,  // 60
        nullptr,  // 61
        nullptr,  // 62
        nullptr,  // 63
        nullptr,  // 64
        nullptr,  // 65
        nullptr,  // 66
        nullptr,  // 67
        nullptr,  // 68
        nullptr,  // 69
        nullptr,  // 70
        nullptr,  // 71
        nullptr,  // 72
        nullptr,  // 73
        nullptr,  // 74
        nullptr,  // 75
        nullptr,  // 76
        nullptr,  // 77
        nullptr,  // 78
        nullptr,  // 79
        nullptr,  // 80
        nullptr,  // 81
        nullptr,  // 82
        nullptr,  // 83
        nullptr,  // 84
        nullptr,  // 85
        nullptr,  // 86
        nullptr,  // 87
        nullptr,  // 88
        nullptr,  // 89
        nullptr,  // 90
        nullptr,  // 91
        nullptr,  // 92
        nullptr,  // 93
        nullptr,  // 94
        nullptr,  // 95
        nullptr,  // 96
        nullptr,  // 97
        nullptr,  // 98
        nullptr,  // 99
        nullptr,  // 100
        nullptr,  // 101
        nullptr,  // 102
        nullptr,  // 103
        nullptr,  // 104
        nullptr,  // 105
        nullptr,  // 106
        nullptr,  // 107
        nullptr,  // 108
        nullptr,  // 109
        nullptr,  // 110
        nullptr,  // 111
        nullptr,  // 112
        nullptr,  // 113
        nullptr,  // 114
        nullptr,  // 115
        nullptr,  // 116
        nullptr,  // 117
        nullptr,  // 118
        nullptr,  // 119
        nullptr,  // 120
        nullptr,  // 121
        nullptr,  // 122
        nullptr,  // 123
        nullptr,  // 124
        nullptr,  // 125
        nullptr,  // 126
        nullptr,  // 127
        nullptr,  // 128
        nullptr,  // 129
        nullptr,  // 130
        nullptr,  // 131
        nullptr,  // 132
        nullptr,  // 133
        nullptr,  // 134
        nullptr,  // 135
        nullptr,  // 136
        nullptr,  // 137
        nullptr,  // 138
        nullptr,  // 139
        nullptr,  // 140
        nullptr,  // 141
        nullptr,  // 142
        nullptr,  // 143
        nullptr,  // 144
        nullptr,  // 145
        nullptr,  // 146
        nullptr,  // 147
        nullptr,  // 148
        nullptr,  // 149
        nullptr,  // 150
        nullptr,  // 151
        nullptr,  // 152
        nullptr,  // 153
        nullptr,  // 154
        nullptr,  // 155
        nullptr,  // 156
        nullptr,  // 157
        nullptr,  // 158
        nullptr,  // 159
        nullptr,  // 160
        nullptr,  // 161
        nullptr,  // 162
        nullptr,  // 163
        nullptr,  // 164
        nullptr,  // 165
        nullptr,  // 166
        nullptr,  // 167
        nullptr,  // 168
        nullptr,  // 169
        nullptr,  // 170
        nullptr,  // 171
        nullptr,  // 172
        nullptr,  // 173
        nullptr,  // 174
        nullptr,  // 175
        nullptr,  // 176
        nullptr,  // 177
        nullptr,  // 178
        nullptr,  // 179
        nullptr,  // 180
        nullptr,  // 181
        nullptr,  // 182
        nullptr,  // 183
        nullptr,  // 184
        nullptr,  // 185
        nullptr,  // 186
        nullptr,  // 187
        nullptr,  // 188
        nullptr,  // 189
        nullptr,  // 190
        nullptr,  // 191
        nullptr,  // 192
        nullptr,  // 193
        nullptr,  // 194
        nullptr,  // 195
        nullptr,  // 196
        nullptr,  // 197
        nullptr,  // 198
        nullptr,  // 199
        nullptr,  // 200
        nullptr,  // 201
        nullptr,  // 202
        nullptr,  // 203
        nullptr,  // 204
        nullptr,  // 205
        nullptr,  // 206
        nullptr,  // 207
        nullptr,  // 208
        nullptr,  // 209
        nullptr,  // 210
        nullptr,  // 211
        nullptr,  // 212
        nullptr,  // 213
        nullptr,  // 214
        nullptr,  // 215
        nullptr,  // 216
        nullptr,  // 217
        nullptr,  // 218
        nullptr,  // 219
        nullptr,  // 220
        nullptr,  // 221
        nullptr,  // 222
        nullptr,  // 223
        nullptr,  // 224
        nullptr,  // 225
        nullptr,  // 226
        nullptr,  // 227
        nullptr,  // 228
        nullptr,  // 229
        nullptr,  // 230
        nullptr,  // 231
        nullptr,  // 232
        nullptr,  // 233
        nullptr,  // 234
        nullptr,  // 235
        nullptr,  // 236
        nullptr,  // 237
        nullptr,  // 238
        nullptr,  // 239
        nullptr,  // 240
        nullptr,  // 241
        nullptr,  // 242
        nullptr,  // 243
        nullptr,  // 244
        nullptr,  // 245
        nullptr,  // 246
        nullptr,  // 247
        nullptr,  // 248
        nullptr,  // 249
        nullptr,  // 250
        nullptr,  // 251
        nullptr,  // 252
        nullptr,  // 253
        nullptr,  // 254
        nullptr,  // 255
    },
    {  // table 13
        nullptr,  // 0
        nullptr,  // 1
        nullptr,  // 2
        nullptr,  // 3
        nullptr,  // 4
        nullptr,  // 5
        nullptr,  // 6
        nullptr,  // 7
        nullptr,  // 8
        nullptr,  // 9
        "\xC2\xA0\xD9\x8E",  // 10
        "\xEF\xB9\xB7",  // 11
        "\xC2\xA0\xD9\x8F",  // 12
        "\xEF\xB9\xB9",  // 13
        "\xC2\xA0\xD9\x90",  // 14
        "\xEF\xB9\xBB",  // 15
        "\xC2\xA0\xD9\x8B",  // 16
        "\xC2\xA0\xD9\x8C",  // 17
        "\xC2\xA0\xD9\x8C",  // 18
        "\xC2\xA0\xD9\x8D",  // 19
        "\xC2\xA0\xD9\x92",  // 20
        "\xEF\xB9\xBF",  // 21
        "\xC2\xA0\xD9\x91",  // 22
        "\xEF\xB9\xBD",  // 23
        "\xEF\xB1\xA0",  // 24
        "\xD9\x80\xEF\xB1\xA0",  // 25
        "\xEF\xB1\xA1",  // 26
        "\xD9\x80\xEF\xB1\xA1",  // 27
        "\xEF\xB1\xA2",  // 28
        "\xD9\x80\xEF\xB1\xA2",  // 29
        "\xC2\xA0\xD9\x8B\xD9\x91",  // 30
        "\xEF\xB1\x9E",  // 31
        "\xEF\xB1\x9E",  // 32
        "\xEF\xB1\x9F",  // 33
        "\xC2\xA0\xD9\x93",  // 34
        "\xD9\x80\xD9\xB0",  // 35
        "\xC2\xA0\xD9\x94",  // 36
        "\xD8\x8C",  // 37
        "\xD8\x9B",  // 38
        "\xD8\x9F",  // 39
        "\xD9\xAD",  // 40
        "\xD9\xA1",  // 41
        "\xD9\xA2",  // 42
        "\xD9\xA3",  // 43
        "\xD9\xA4",  // 44
        "\xD9\xA5",  // 45
        "\xD9\xA6",  // 46
        "\xD9\xA7",  // 47
        "\xD9\xA8",  // 48
        "\xD9\xA9",  // 49
        "\xD9\xA0",  // 50
        "\xDB\xB2",  // 51
        "\xD8\xA7",  // 52
        "\xEF\xBA\x8E",  // 53
        "\xD8\xA8",  // 54
        "\xEF\xBA\x91",  // 55
        "\xEF\xBA\x92",  // 56
        "\xEF\xBA\x90",  // 57
        "\xD8\xAA",  // 58
        "\xEF\xBA\x97",  // 59
        "\xEF\xBA\x98",  // 60
        "\xEF\xBA\x96",  // 61
        "\xD8\xAB",  // 62
        "\xEF\xBA\x9B",  // 63
        "\xEF\xBA\x9C",  // 64
        "\xEF\xBA\x9A",  // 65
        "\xD8\xAC",  // 66
        "\xEF\xBA\x9F",  // 67
        "\xEF\xBA\xA0",  // 68
        "\xEF\xBA\x9E",  // 69
        "\xD8\xAD",  // 70
        "\xEF\xBA\xA3",  // 71
        "\xEF\xBA\xA4",  // 72
        "\xEF\xBA\xA2",  // 73
        "\xD8\xAE",  // 74
        "\xEF\xBA\xA7",  // 75
        "\xEF\xBA\xA8",  // 76
        "\xEF\xBA\xA6",  // 77
        "\xD8\xAF",  // 78
        "\xEF\xBA\xAA",  // 79
        "\xD8\xB0",  // 80
        "\xEF\xBA\xAC",  // 81
        "\xD8\xB1",  // 82
        "\xEF\xBA\xAE",  // 83
        "\xD8\xB2",  // 84
        "\xEF\xBA\xB0",  // 85
        "\xD8\xB3",  // 86
        "\xEF\xBA\xB3",  // 87
        "\xEF\xBA\xB4",  // 88
        "\xEF\xBA\xB2",  // 89
        "\xD8\xB4",  // 90
        "\xEF\xBA\xB7",  // 91
        "\xEF\xBA\xB8",  // 92
        "\xEF\xBA\xB6",  // 93
        "\xD8\xB5",  // 94
        "\xEF\xBA\xBB",  // 95
        "\xEF\xBA\xBC",  // 96
        "\xEF\xBA\xBA",  // 97
        "\xD8\xB6",  // 98
        "\xEF\xBA\xBF",  // 99
        "\xEF\xBB\x80",  // 100
        "\xEF\xBA\xBE",  // 101
        "\xD8\xB7",  // 102
        "\xEF\xBB\x83",  // 103
        "\xEF\xBB\x84",  // 104
        "\xEF\xBB\x82",  // 105
        "\xD8\xB8",  // 106
        "\xEF\xBB\x87",  // 107
        "\xEF\xBB\x88",  // 108
        "\xEF\xBB\x86",  // 109
        "\xD8\xB9",  // 110
        "\xEF\xBB\x8B",  // 111
        "\xEF\xBB\x8C",  // 112
        "\xEF\xBB\x8A",  // 113
        "\xD8\xBA",  // 114
        "\xEF\xBB\x8F",  // 115
        "\xEF\xBB\x90",  // 116
        "\xEF\xBB\x8E",  // 117
        "\xD9\x81",  // 118
        "\xEF\xBB\x93",  // 119
        "\xEF\xBB\x94",  // 120
        "\xEF\xBB\x92",  // 121
        "\xD9\x82",  // 122
        "\xEF\xBB\x96",  // 123
        "\xEF\xBB\x98",  // 124
        "\xEF\xBB\x96",  // 125
        "\xD9\x83",  // 126
        "\xEF\xBB\x9B",  // 127
        "\xEF\xBB\x9C",  // 128
        "\xEF\xBB\x9A",  // 129
        "\xD9\x84",  // 130
        "\xEF\xBB\x9F",  // 131
        "\xEF\xBB\xA0",  // 132
        "\xEF\xBB\x9E",  // 133
        "\xD9\x85",  // 134
        "\xEF\xBB\xA3",  // 135
        "\xEF\xBB\xA4",  // 136
        "\xEF\xBB\xA2",  // 137
        "\xD9\x86",  // 138
        "\xEF\xBB\xA7",  // 139
        "\xEF\xBB\xA8",  // 140
        "\xEF\xBB\xA6",  // 141
        "\xD9\x87",  // 142
        "\xEF\xBB\xAB",  // 143
        "\xEF\xBB\xAC",  // 144
        "\xEF\xBB\xAA",  // 145
        "\xD8\xA9",  // 146
        "\xEF\xBA\x94",  // 147
        "\xD9\x88",  // 148
        "\xEF\xBB\xAE",  // 149
        "\xD9\x8A",  // 150
        "\xEF\xBB\xB3",  // 151
        "\xEF\xBB\xB4",  // 152
        "\xEF\xBB\xB2",  // 153
        "\xD9\x89",  // 154
        "\xEF\xBB\xB0",  // 155
        "\xD8\xA1",  // 156
        "\xD8\xA3",  // 157
        "\xEF\xBA\x84",  // 158
        "\xD8\xA5",  // 159
        "\xEF\xBA\x88",  // 160
        "\xD8\xA4",  // 161
        "\xEF\xBA\x86",  // 162
        "\xD8\xA6",  // 163
        "\xEF\xBA\x8B",  // 164
        "\xEF\xBA\x8C",  // 165
        "\xEF\xBA\x8A",  // 166
        "\xEF\xB4\xBD",  // 167
        "\xEF\xB4\xBC",  // 168
        "\xD8\xA2",  // 169
        "\xEF\xBA\x82",  // 170
        "\xCB\x86",  // 171
        "\xEF\xBB\xBB",  // 172
        "\xEF\xBB\xBC",  // 173
        "\xEF\xBB\xB7",  // 174
        "\xEF\xBB\xB8",  // 175
        "\xEF\xBB\xB9",  // 176
        "\xEF\xBB\xBA",  // 177
        "\xEF\xBB\xBB\xD9\x8B",  // 178
        "\xEF\xBB\xBC\xD9\x8B",  // 179
        "\xEF\xBB\xB5",  // 180
        "\xEF\xBB\xB6",  // 181
        "\xEF\xBB\xBB\xCB\x86",  // 182
        "\xEF\xBB\xBC\xCB\x86",  // 183
        "\xEF\xB7\xB2",  // 184
        "\xD9\x80",  // 185
        "\xD9\x80",  // 186
        "\xD9\xB1",  // 187
        "\xEF\xAD\x91",  // 188
        "\xD9\xAA",  // 189
        "\xC2\xBB",  // 190
        "\xC2\xAB",  // 191
        "\xEF\xB4\xBF",  // 192
        "\xEF\xB4\xBE",  // 193
        nullptr,  // 194
        nullptr,  // 195
        nullptr,  // 196
        nullptr,  // 197
        nullptr,  // 198
        nullptr,  // 199
        nullptr,  // 200
        nullptr,  // 201
        nullptr,  // 202
        nullptr,  // 203
        nullptr,  // 204
        nullptr,  // 205
        nullptr,  // 206
        nullptr,  // 207
        nullptr,  // 208
        nullptr,  // 209
        nullptr,  // 210
        nullptr,  // 211
        nullptr,  // 212
        nullptr,  // 213
        nullptr,  // 214
        nullptr,  // 215
        nullptr,  // 216
        nullptr,  // 217
        nullptr,  // 218
        nullptr,  // 219
        nullptr,  // 220
        nullptr,  // 221
        nullptr,  // 222
        nullptr,  // 223
        nullptr,  // 224
        nullptr,  // 225
        nullptr,  // 226
        nullptr,  // 227
        nullptr,  // 228
        nullptr,  // 229
        nullptr,  // 230
        nullptr,  // 231
        nullptr,  // 232
        nullptr,  // 233
        nullptr,  // 234
        nullptr,  // 235
        nullptr,  // 236
        nullptr,  // 237
        nullptr,  // 238
        nullptr,  // 239
        nullptr,  // 240
        nullptr,  // 241
        nullptr,  // 242
        nullptr,  // 243
        nullptr,  // 244
        nullptr,  // 245
        nullptr,  // 246
        nullptr,  // 247
        nullptr,  // 248
        nullptr,  // 249
        nullptr,  // 250
        nullptr,  // 251
        nullptr,  // 252
        nullptr,  // 253
        nullptr,  // 254
        nullptr,  // 255
    },
    {  // table 14
        nullptr,  // 0
        nullptr,  // 1
        nullptr,  // 2
        nullptr,  // 3
        nullptr,  // 4
        nullptr,  // 5
        nullptr,  // 6
        "\xC2\xA0\xD8\x95",  // 7
        nullptr,  // 8
        nullptr,  // 9
        nullptr,  // 10
        nullptr,  // 11
        nullptr,  // 12
        nullptr,  // 13
        nullptr,  // 14
        nullptr,  // 15
        "\xC2\xA0\xD8\x95",  // 16
        nullptr,  // 17
        nullptr,  // 18
        nullptr,  // 19
        nullptr,  // 20
        nullptr,  // 21
        nullptr,  // 22
        nullptr,  // 23
        nullptr,  // 24
        "\xDB\x94",  // 25
        nullptr,  // 26
        nullptr,  // 27
        "\xC2\xB0",  // 28
        nullptr,  // 29
        "\xC2\xA0\xD9\x9A",  // 30
        nullptr,  // 31
        "\xC2\xA0\xD9\x9A",  // 32
        "\xC2\xA0\xD9\x99",  // 33
        nullptr,  // 34
        nullptr,  // 35
        "\xC2\xA0\xD9\x94",  // 36
        "\xC2\xA0\xD9\x8C",  // 37
        "\xEF\xB1\x9E",  // 38
        "\xC2\xA0\xD9\x9A",  // 39
        "\xC2\xA0\xD9\x9A",  // 40
        "\xDB\xB4",  // 41
        "\xDB\xB4",  // 42
        "\xDB\xB5",  // 43
        "\xDB\xB6",  // 44
        "\xDB\xB6",  // 45
        "\xDB\xB7",  // 46
        "\xDB\xB8",  // 47
        "\xD9\xBB",  // 48
        "\xEF\xAD\x94",  // 49
        "\xEF\xAD\x95",  // 50
        "\xEF\xAD\x93",  // 51
        "\xDA\x80",  // 52
        "\xEF\xAD\x9C",  // 53
        "\xEF\xAD\x9D",  // 54
        "\xEF\xAD\x9B",  // 55
        "\xD9\xBE",  // 56
        "\xEF\xAD\x98",  // 57
        "\xEF\xAD\x99",  // 58
        "\xEF\xAD\x97",  // 59
        "\xD9\xB9",  // 60
        "\xEF\xAD\xA8",  // 61
        "\xEF\xAD\xA9",  // 62
        "\xEF\xAD\xA7",  // 63
        "\xD9\xBC",  // 64
        "\xD9\xBC",  // 65
        "\xD9\xBC",  // 66
        "\xD9\xBC",  // 67
        "\xD9\xBF",  // 68
        "\xEF\xAD\xA4",  // 69
        "\xEF\xAD\xA5",  // 70
        "\xEF\xAD\xA3",  // 71
        "\xD9\xBD",  // 72
        "\xD9\xBD",  // 73
        "\xD9\xBD",  // 74
        "\xD9\xBD",  // 75
        "\xD9\xBA",  // 76
        "\xEF\xAD\xA0",  // 77
        "\xEF\xAD\xA1",  // 78
        "\xEF\xAD\x9F",  // 79
        "\xDA\x84",  // 80
        "\xEF\xAD\xB4",  // 81
        "\xEF\xAD\xB5",  // 82
        "\xEF\xAD\xB3",  // 83
        "\xDA\x83",  // 84
        "\xEF\xAD\xB8",  // 85
        "\xEF\xAD\xB9",  // 86
        "\xEF\xAD\xB7",  // 87
        "\xDA\x86",  // 88
        "\xEF\xAD\xBC",  // 89
        "\xEF\xAD\xBD",  // 90
        "\xEF\xAD\xBB",  // 91
        "\xDA\x87",  // 92
        "\xEF\xAE\x80",  // 93
        "\xEF\xAE\x81",  // 94
        "\xEF\xAD\xBF",  // 95
        "\xDA\x85",  // 96
        "\xDA\x85",  // 97
        "\xDA\x85",  // 98
        "\xDA\x85",  // 99
        "\xDA\x81",  // 100
        "\xDA\x81",  // 101
        "\xDA\x81",  // 102
        "\xDA\x81",  // 103
        "\xDA\x88",  // 104
        "\xEF\xAE\x89",  // 105
        "\xDA\x89",  // 106
        "\xDA\x89",  // 107
        "\xDA\x8C",  // 108
        "\xEF\xAE\x85",  // 109
        "\xDA\x8E",  // 110
        "\xEF\xAE\x87",  // 111
        "\xDA\x8A",  // 112
        "\xDA\x8A",  // 113
        "\xDA\x8D",  // 114
        "\xEF\xAE\x83",  // 115
        "\xDA\x93",  // 116
        "\xDA\x93",  // 117
        "\xDA\x91",  // 118
        "\xEF\xAE\x8D",  // 119
        "\xDA\x99",  // 120
        "\xDA\x99",  // 121
        "\xDA\x95",  // 122
        "\xDA\x95",  // 123
        "\xDA\x92",  // 124
        "\xDA\x92",  // 125
        "\xDA\x98",  // 126
        "\xEF\xAE\x8B",  // 127
        "\xDA\x96",  // 128
        "\xDA\x96",  // 129
        "\xDD\x9B",  // 130
        "\xDD\x9B",  // 131
        "\xDA\x9A",  // 132
        "\xDA\x9A",  // 133
        "\xDA\x9A",  // 134
        "\xDA\x9A",  // 135
        "\xDA\xA0",  // 136
        "\xDA\xA0",  // 137
        "\xDA\xA0",  // 138
        "\xDA\xA0",  // 139
        "\xDA\xA4",  // 140
        "\xEF\xAD\xAC",  // 141
        "\xEF\xAD\xAD",  // 142
        "\xEF\xAD\xAB",  // 143
        "\xDA\xA6",  // 144
        "\xEF\xAD\xB0",  // 145
        "\xEF\xAD\xB1",  // 146
        "\xEF\xAD\xAF",  // 147
        "\xDA\xA9",  // 148
        "\xEF\xAE\x90",  // 149
        "\xEF\xAE\x91",  // 150
        "\xEF\xAE\x8F",  // 151
        "\xD9\x83",  // 152
        "\xEF\xBB\x9B",  // 153
        "\xEF\xBB\x9C",  // 154
        "\xEF\xBB\x9A",  // 155
        "\xDA\xAA",  // 156
        "\xDA\xAA",  // 157
        "\xDA\xAA",  // 158
        "\xDA\xAA",  // 159
        "\xDA\xAF",  // 160
        "\xEF\xAE\x94",  // 161
        "\xEF\xAE\x95",  // 162
        "\xEF\xAE\x93",  // 163
        "\xDA\xAF",  // 164
        "\xEF\xAE\x94",  // 165
        "\xEF\xAE\x95",  // 166
        "\xEF\xAE\x93",  // 167
        "\xDA\xAB",  // 168
        "\xDA\xAB",  // 169
        "\xDA\xAB",  // 170
        "\xDA\xAB",  // 171
        "\xDA\xB1",  // 172
        "\xEF\xAE\x9C",  // 173
        "\xEF\xAE\x9D",  // 174
        "\xEF\xAE\x9B",  // 175
        "\xDA\xB3",  // 176
        "\xEF\xAE\x98",  // 177
        "\xEF\xAE\x99",  // 178
        "\xEF\xAE\x97",  // 179
        "\xDA\xB5",  // 180
        "\xDA\xB5",  // 181
        "\xDA\xB5",  // 182
        "\xDA\xB5",  // 183
        nullptr,  // 184
        nullptr,  // 185
        "\xDA\xBA",  // 186
        nullptr,  // 187
        nullptr,  // 188
        "\xEF\xAE\x9F",  // 189
        "\xDA\xBC",  // 190
        "\xDA\xBC",  // 191
        "\xDA\xBC",  // 192
        "\xDA\xBC",  // 193
        "\xDA\xBB",  // 194
        "\xEF\xAE\xA2",  // 195
        "\xEF\xAE\xA3",  // 196
        "\xEF\xAE\xA1",  // 197
        "\xDB\x86",  // 198
        "\xEF\xAF\x9A",  // 199
        nullptr,  // 200
        nullptr,  // 201
        "\xDB\x8A",  // 202
        "\xDB\x8A",  // 203
        "\xDB\x81",  // 204
        "\xEF\xAE\xA8",  // 205
        "\xEF\xAE\xA9",  // 206
        "\xEF\xAE\xA7",  // 207
        "\xDB\x8E",  // 208
        "\xDB\x8E",  // 209
        "\xDB\x8E",  // 210
        "\xDB\x8E",  // 211
        "\xDB\x92",  // 212
        "\xEF\xAE\xAF",  // 213
        "\xDB\x91",  // 214
        "\xDB\x91",  // 215
        "\xDB\x91",  // 216
        "\xDB\x91",  // 217
        "\xDB\x80",  // 218
        "\xEF\xAE\xA5",  // 219
        nullptr,  // 220
        nullptr,  // 221
        nullptr,  // 222
        nullptr,  // 223
        nullptr,  // 224
        nullptr,  // 225
        nullptr,  // 226
        nullptr,  // 227
        nullptr,  // 228
        nullptr,  // 229
        nullptr,  // 230
        nullptr,  // 231
        nullptr,  // 232
        nullptr,  // 233
        nullptr,  // 234
        nullptr,  // 235
        nullptr,  // 236
        nullptr,  // 237
        nullptr,  // 238
        nullptr,  // 239
        nullptr,  // 240
        nullptr,  // 241
        nullptr,  // 242
        nullptr,  // 243
        nullptr,  // 244
        nullptr,  // 245
        nullptr,  // 246
        nullptr,  // 247
        nullptr,  // 248
        nullptr,  // 249
        nullptr,  // 250
        nullptr,  // 251
        nullptr,  // 252
        nullptr,  // 253
        nullptr,  // 254
        nullptr,  // 255
    },
};

const std::uint16_t kRepertoireCodePoint[14][256] = {
    {  // table 1
        0x0060, 0x00B7, 0x02DC, 0x02C6, 0, 0, 0x00B4, 0x00A8,
        0x00AF, 0, 0, 0x02BC, 0, 0, 0x00B0, 0x02D9,
        0x02DD, 0x00B8, 0x02DB, 0x02C7, 0, 0x203E, 0x02D8, 0x00DF,
        0x0138, 0x006A, 0x00C1, 0x00E1, 0x00C2, 0x00E2, 0x00C4, 0x00E4,
        0x00C0, 0x00E0, 0x00C5, 0x00E5, 0x00C6, 0x00E6, 0x00C7, 0x00E7,
        0x00C9, 0x00E9, 0x00CA, 0x00EA, 0x00CB, 0x00EB, 0x00C8, 0x00E8,
        0x00CD, 0x00ED, 0x00CE, 0x00EE, 0x00CF, 0x00EF, 0x00CC, 0x00EC,
        0x00D1, 0x00F1, 0x00D3, 0x00F3, 0x00D4, 0x00F4, 0x00D6, 0x00F6,
        0x00D2, 0x00F2, 0x00DA, 0x00FA, 0x00DB, 0x00FB, 0x00DC, 0x00FC,
        0x00D9, 0x00F9, 0x0178, 0x00FF, 0x00C3, 0x00E3, 0x0110, 0x0111,
        0x00D8, 0x00F8, 0x00D5, 0x00F5, 0x00DD, 0x00FD, 0x00D0, 0x00F0,
        0x00DE, 0x00FE, 0x0102, 0x0103, 0x0100, 0x0101, 0x0104, 0x0105,
        0x0106, 0x0107, 0x010C, 0x010D, 0x0108, 0x0109, 0x010A, 0x010B,
        0x010E, 0x010F, 0x011A, 0x011B, 0x0116, 0x0117, 0x0112, 0x0113,
        0x0118, 0x0119, 0x01F4, 0x01F5, 0x011E, 0x011F, 0x01E6, 0x01E7,
        0x0122, 0x0123, 0x011C, 0x011D, 0x0120, 0x0121, 0x0124, 0x0125,
        0x0126, 0x0127, 0x0130, 0x0069, 0x012A, 0x012B, 0x012E, 0x012F,
        0x0128, 0x0129, 0x0132, 0x0133, 0x0134, 0x0135, 0x0136, 0x0137,
        0x0139, 0x013A, 0x013D, 0x013E, 0x013B, 0x013C, 0x013F, 0x0140,
        0x0141, 0x0142, 0x0143, 0x0144, 0, 0x0149, 0x0147, 0x0148,
        0x0145, 0x0146, 0x0150, 0x0151, 0x014C, 0x014D, 0x0152, 0x0153,
        0x0154, 0x0155, 0x0158, 0x0159, 0x0156, 0x0157, 0x015A, 0x015B,
        0x0160, 0x0161, 0x015E, 0x015F, 0x015C, 0x015D, 0x0164, 0x0165,
        0x0162, 0x0163, 0x0166, 0x0167, 0x016C, 0x016D, 0x0170, 0x0171,
        0x016A, 0x016B, 0x0172, 0x0173, 0x016E, 0x016F, 0x0168, 0x0169,
        0x0174, 0x0175, 0x0176, 0x0177, 0x0179, 0x017A, 0x017D, 0x017E,
        0x017B, 0x017C, 0x014A, 0x014B, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0x1EF2, 0x1EF3, 0x010E, 0x010F, 0x01A0, 0x01A1,
        0x01AF, 0x01B0, 0x0114, 0x0115, 0x012C, 0x012D, 0x0049, 0x0131,
        0x014E, 0x014F, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
    },
    {  // table 2
        0, 0, 0x02DA, 0, 0x02BC, 0, 0x2017, 0x005F,
        0x0138, 0, 0, 0x2018, 0, 0x02BD, 0x02DB, 0x00B8,
        0, 0, 0, 0x2019, 0, 0, 0x0621, 0x02BE,
        0x02D8, 0, 0x2032, 0x2034, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
    },
    {  // table 3
        0x2591, 0x2592, 0x2593, 0x2588, 0x258C, 0x2580, 0x2590, 0x2584,
        0x2500, 0x2502, 0x250C, 0x2510, 0x2518, 0x2514, 0x251C, 0x252C,
        0x2524, 0x2534, 0x253C, 0x2550, 0x2551, 0x2554, 0x2557, 0x255D,
        0x255A, 0x2560, 0x2566, 0x2563, 0x2569, 0x256C, 0x2552, 0x2555,
        0x255B, 0x2558, 0x2553, 0x2556, 0x255C, 0x2559, 0x255E, 0x2565,
        0x2561, 0x2568, 0x255F, 0x2564, 0x2562, 0x2567, 0x256B, 0x256A,
        0x2574, 0x2575, 0x2576, 0x2577, 0x2578, 0x2579, 0x257A, 0x257B,
        0x257C, 0x257E, 0x257D, 0x257F, 0x251F, 0x2522, 0x251E, 0x2521,
        0x252E, 0x2532, 0x252D, 0x2531, 0x2527, 0x2526, 0x252A, 0x2529,
        0x2536, 0x253A, 0x2535, 0x2539, 0x2541, 0x2546, 0x253E, 0x2540,
        0x2544, 0x254A, 0x253D, 0x2545, 0x2548, 0x2543, 0x2549, 0x2547,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
    },
    {  // table 4
        0x25CF, 0x25CB, 0x25A0, 0x2022, 0x002A, 0x00B6, 0x00A7, 0x00A1,
        0x00BF, 0x00AB, 0x00BB, 0x00A3, 0x00A5, 0x20A7, 0x0192, 0x00AA,
        0x00BA, 0x00BD, 0x00BC, 0x00A2, 0x00B2, 0x207F, 0x00AE, 0x00A9,
        0x00A4, 0x00BE, 0x00B3, 0x201B, 0x2019, 0x2018, 0x201F, 0x201D,
        0x201C, 0x2013, 0x2014, 0x2039, 0x203A, 0x25CB, 0x25A1, 0x2020,
        0x2021, 0x2122, 0x2120, 0x211E, 0x25CF, 0x25E6, 0x25A0, 0x25AA,
        0x25A1, 0x25AB, 0x2012, 0xFB00, 0xFB03, 0xFB04, 0xFB01, 0xFB02,
        0x2026, 0x0024, 0x20A3, 0x20A2, 0x20A0, 0x20A4, 0x201A, 0x201E,
        0x2153, 0x2154, 0x215B, 0x215C, 0x215D, 0x215E, 0x24C2, 0x24C5,
        0x20AC, 0x2105, 0x2106, 0x2030, 0x2116, 0x2014, 0x00B9, 0x2409,
        0x240C, 0x240D, 0x240A, 0x2424, 0x240B, 0x267C, 0x20A9, 0x20A6,
        0x20A8, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
    },
    {  // table 5
        0x2665, 0x2666, 0x2663, 0x2660, 0x2642, 0x2640, 0x263C, 0x263A,
        0x263B, 0x266A, 0x266C, 0x25AC, 0x2302, 0x203C, 0x221A, 0x21A8,
        0x2310, 0x2319, 0x25D8, 0x25D9, 0x21B5, 0x261E, 0x261C, 0x2713,
        0x2610, 0x2612, 0x2639, 0x266F, 0x266D, 0x266E, 0x260E, 0x231A,
        0x231B, 0x2104, 0x23B5, 0x2701, 0x2702, 0x2703, 0x2704, 0x260E,
        0x2706, 0x2707, 0x2708, 0x2709, 0x261B, 0x261E, 0x270C, 0x270D,
        0x270E, 0x270F, 0x2710, 0x2711, 0x2712, 0x2713, 0x2714, 0x2715,
        0x2716, 0x2717, 0x2718, 0x2719, 0x271A, 0x271B, 0x271C, 0x271D,
        0x271E, 0x271F, 0x2720, 0x2721, 0x2722, 0x2723, 0x2724, 0x2725,
        0x2726, 0x2727, 0x2605, 0x2729, 0x272A, 0x272B, 0x272C, 0x272D,
        0x272E, 0x272F, 0x2730, 0x2731, 0x2732, 0x2733, 0x2734, 0x2735,
        0x2736, 0x2737, 0x2738, 0x2739, 0x273A, 0x273B, 0x273C, 0x273D,
        0x273E, 0x273F, 0x2740, 0x2741, 0x2742, 0x2743, 0x2744, 0x2745,
        0x2746, 0x2747, 0x2748, 0x2749, 0x274A, 0x274B, 0x25CF, 0x274D,
        0x25A0, 0x274F, 0x2750, 0x2751, 0x2752, 0x25B2, 0x25BC, 0x25C6,
        0x2756, 0x25D7, 0x2758, 0x2759, 0x275A, 0x275B, 0x275C, 0x275D,
        0x275E, 0x2768, 0x2769, 0x276A, 0x276B, 0x276C, 0x276D, 0x276E,
        0x276F, 0x2770, 0x2771, 0x2772, 0x2773, 0x2774, 0x2775, 0x2761,
        0x2762, 0x2763, 0x2764, 0x2765, 0x2766, 0x2767, 0x2663, 0x2666,
        0x2665, 0x2660, 0x2460, 0x2461, 0x2462, 0x2463, 0x2464, 0x2465,
        0x2466, 0x2467, 0x2468, 0x2469, 0x2776, 0x2777, 0x2778, 0x2779,
        0x277A, 0x277B, 0x277C, 0x277D, 0x277E, 0x277F, 0x2780, 0x2781,
        0x2782, 0x2783, 0x2784, 0x2785, 0x2786, 0x2787, 0x2788, 0x2789,
        0x278A, 0x278B, 0x278C, 0x278D, 0x278E, 0x278F, 0x2790, 0x2791,
        0x2792, 0x2793, 0x2794, 0x2192, 0x2194, 0x2195, 0x2798, 0x2799,
        0x279A, 0x279B, 0x279C, 0x279D, 0x279E, 0x279F, 0x27A0, 0x27A1,
        0x27A2, 0x27A3, 0x27A4, 0x27A5, 0x27A6, 0x27A7, 0x27A8, 0x27A9,
        0x27AA, 0x27AB, 0x27AC, 0x27AD, 0x27AE, 0x27AF, 0x27B1, 0x27B2,
        0x27B3, 0x27B4, 0x27B5, 0x27B6, 0x27B7, 0x27B8, 0x27B9, 0x27BA,
        0x27BB, 0x27BC, 0x27BD, 0x27BE, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0x2318, 0x2713, 0x25C6, 0xF8FF,
    },
    {  // table 6
        0x2212, 0x00B1, 0x2264, 0x2265, 0x221D, 0x002F, 0x2215, 0x2216,
        0x00F7, 0x2223, 0x27E8, 0x27E9, 0x223C, 0x2248, 0x2261, 0x2208,
        0x2229, 0x2225, 0x2211, 0x221E, 0x00AC, 0x2192, 0x2190, 0x2191,
        0x2193, 0x2194, 0x2195, 0x25B8, 0x25C2, 0x25B4, 0x25BE, 0x22C5,
        0x00B7, 0x2218, 0x2219, 0x00C5, 0x00B0, 0x00B5, 0x203E, 0x00D7,
        0x222B, 0x220F, 0x2213, 0x2207, 0x2202, 0x2032, 0x2033, 0x2192,
        0x212F, 0x2113, 0x210F, 0x2111, 0x211C, 0x2118, 0x21C4, 0x21C6,
        0x21D2, 0x21D0, 0x21D1, 0x21D3, 0x21D4, 0x21D5, 0x2197, 0x2198,
        0x2196, 0x2199, 0x222A, 0x2282, 0x2283, 0x2286, 0x2287, 0x220D,
        0x2205, 0x2308, 0x2309, 0x230A, 0x230B, 0x226A, 0x226B, 0x2220,
        0x2297, 0x2295, 0x2296, 0x2A38, 0x2299, 0x2227, 0x2228, 0x22BB,
        0x22A4, 0x22A5, 0x2312, 0x22A2, 0x22A3, 0x25A1, 0x25A0, 0x25CA,
        0x25C6, 0x27E6, 0x27E7, 0x2260, 0x2262, 0x2235, 0x2234, 0x2237,
        0x222E, 0x2112, 0x212D, 0x2128, 0x2118, 0x20DD, 0x29CB, 0x25C7,
        0x22C6, 0x2034, 0x2210, 0x2243, 0x2245, 0x227A, 0x227C, 0x227B,
        0x227D, 0x2203, 0x2200, 0x22D8, 0x22D9, 0x228E, 0x228A, 0x228B,
        0x2293, 0x2294, 0x228F, 0x2291, 0x22E4, 0x2290, 0x2292, 0x22E5,
        0x25B3, 0x25BD, 0x25C3, 0x25B9, 0x22C8, 0x2323, 0x2322, 0x25EF,
        0x219D, 0x21A9, 0x21AA, 0x21A3, 0x21BC, 0x21BD, 0x21C0, 0x21C1,
        0x21CC, 0x21CB, 0x21BF, 0x21BE, 0x21C3, 0x21C2, 0x21C9, 0x21C7,
        0x22D3, 0x22D2, 0x22D0, 0x22D1, 0x229A, 0x229B, 0x229D, 0x2127,
        0x2221, 0x2222, 0x25C3, 0x25B9, 0x25B5, 0x25BF, 0x2214, 0x2250,
        0x2252, 0x2253, 0x224E, 0x224D, 0x22A8, 0x2258, 0x226C, 0x0285,
        0x2605, 0x226E, 0x2270, 0x226F, 0x2271, 0x2241, 0x2244, 0x2247,
        0x2249, 0x2280, 0x22E0, 0x2281, 0x22E1, 0x2284, 0x2285, 0x2288,
        0x2289, 0, 0, 0x22E2, 0x22E3, 0x2226, 0x2224, 0x226D,
        0x2204, 0x2209, 0x2247, 0x2130, 0x2131, 0x2102, 0, 0x2115,
        0x211D, 0x225F, 0x22BE, 0x220B, 0x22EF, 0x2026, 0x22EE, 0x22F1,
        0, 0, 0x002B, 0x002D, 0x003D, 0x002A, 0x2032, 0x2033,
        0x2034, 0x210B, 0x2118, 0x2272, 0x2273, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
    },
    {  // table 7
        0x2320, 0x2321, 0x23A5, 0x23BD, 0x221A, 0, 0x2211, 0x220F,
        0x2210, 0x222B, 0x222E, 0x23AA, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0x23A7, 0x23A8, 0x23A9, 0x23AA, 0, 0, 0,
        0, 0x23AB, 0x23AC, 0x23AD, 0x23AA, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0x222A, 0x222B, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0x239B, 0x239D, 0x239C, 0, 0, 0, 0, 0x239E,
        0x23A8, 0x239F, 0, 0, 0, 0, 0x23A1, 0x23A3,
        0x23A2, 0, 0x20AA, 0, 0, 0x23A4, 0x23A6, 0x23A5,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0x22C3, 0x22C2, 0x228E, 0x2A04, 0x2294, 0x2A06, 0x2227, 0x22C0,
        0x2228, 0x22C1, 0x2297, 0x2A02, 0x2295, 0x2A01, 0x2299, 0x2A00,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0x229D, 0, 0x2238, 0,
        0x27E6, 0, 0, 0, 0, 0, 0, 0x27E7,
        0, 0, 0, 0, 0, 0, 0, 0,
        0x21BC, 0x21BD, 0, 0x296C, 0x296D, 0x296A, 0x296B, 0,
        0x21C9, 0x21C7, 0, 0, 0, 0, 0, 0,
        0x21BE, 0x21BF, 0x21C3, 0x21C2, 0, 0x2293, 0x2A05, 0x23A1,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
    },
    {  // table 8
        0x0391, 0x03B1, 0x0392, 0x03B2, 0x0392, 0x03D0, 0x0393, 0x03B3,
        0x0394, 0x03B4, 0x0395, 0x03B5, 0x0396, 0x03B6, 0x0397, 0x03B7,
        0x0398, 0x03B8, 0x0399, 0x03B9, 0x039A, 0x03BA, 0x039B, 0x03BB,
        0x039C, 0x03BC, 0x039D, 0x03BD, 0x039E, 0x03BE, 0x039F, 0x03BF,
        0x03A0, 0x03C0, 0x03A1, 0x03C1, 0x03A3, 0x03C3, 0x03F9, 0x03DB,
        0x03A4, 0x03C4, 0x03A5, 0x03C5, 0x03A6, 0x03D5, 0x03A7, 0x03C7,
        0x03A8, 0x03C8, 0x03A9, 0x03C9, 0x03AC, 0x03AD, 0x03AE, 0x03AF,
        0x03CA, 0x03CC, 0x03CD, 0x03CB, 0x03CE, 0x03B5, 0x03D1, 0x03F0,
        0x03D6, 0x1FE5, 0x03D2, 0x03C6, 0x03C9, 0x003B, 0x00B7, 0x0384,
        0x00A8, 0x0385, 0x1FED, 0x0060, 0x1FC0, 0x1FBD, 0x1FBF, 0x03B9,
        0x1FCE, 0x1FDE, 0x1FCD, 0x1FDD, 0x1FCF, 0x1FDF, 0x0384, 0x0060,
        0x1FC0, 0x1FBD, 0x1FBF, 0x1FCE, 0x1FDE, 0x1FCD, 0x1FDD, 0x1FCF,
        0x1FDF, 0x1F70, 0x1FB6, 0x1FB3, 0x1FB4, 0x1FB7, 0x1F00, 0x1F04,
        0x1F02, 0x1F06, 0x1F80, 0x1F84, 0x1F86, 0x1F01, 0x1F05, 0x1F03,
        0x1F07, 0x1F81, 0x1F85, 0x1F87, 0x1F72, 0x1F10, 0x1F14, 0x1F13,
        0x1F11, 0x1F15, 0x1F13, 0x1F74, 0x1FC6, 0x1FC3, 0x1FC4, 0x1FC2,
        0x1FC7, 0x1F20, 0x1F24, 0x1F22, 0x1F26, 0x1F90, 0x1F94, 0x1F96,
        0x1F21, 0x1F25, 0x1F23, 0x1F27, 0x1F91, 0x1F95, 0x1F97, 0x1F76,
        0x1FD6, 0x0390, 0x1FD2, 0x1F30, 0x1F34, 0x1F32, 0x1F36, 0x1F31,
        0x1F35, 0x1F33, 0x1F37, 0x1F78, 0x1F40, 0x1F44, 0x1F42, 0x1F41,
        0x1F45, 0x1F43, 0x1F7A, 0x1FE6, 0x03B0, 0x03B0, 0x1F50, 0x1F54,
        0x1F52, 0x1F56, 0x1F51, 0x1F55, 0x1F53, 0x1F57, 0x1F7C, 0x1FF6,
        0x1FF3, 0x1FF4, 0x1FF2, 0x1FF7, 0x1F60, 0x1F64, 0x1F62, 0x1F66,
        0x1FA0, 0x1FA4, 0x1FA6, 0x1F61, 0x1F65, 0x1F63, 0x1F67, 0x1FA1,
        0x1FA5, 0x1FA7, 0x02B9, 0x0375, 0x03DB, 0x03DD, 0x03D9, 0x03E1,
        0x0386, 0x0388, 0x0389, 0x038A, 0x038C, 0x038E, 0x038F, 0x03AA,
        0x03AB, 0x1FE5, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
    },
    {  // table 9
        0x05D0, 0x05D1, 0x05D2, 0x05D3, 0x05D4, 0x05D5, 0x05D6, 0x05D7,
        0x05D8, 0x05D9, 0x05DA, 0x05DB, 0x05DC, 0x05DD, 0x05DE, 0x05DF,
        0x05E0, 0x05E1, 0x05E2, 0x05E3, 0x05E4, 0x05E5, 0x05E6, 0x05E7,
        0x05E8, 0x05E9, 0x05EA, 0x05BE, 0x05C0, 0x05C3, 0x05F3, 0x05F4,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0xFBE1, 0x05F0, 0x05F1, 0x05F2, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0x09AA, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0x0544, 0x05D0, 0, 0, 0, 0,
        0, 0, 0, 0x05D7, 0, 0, 0, 0,
        0x05DA, 0x05DA, 0x05DA, 0x05DA, 0x05DA, 0x05DA, 0, 0,
        0, 0x05DF, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
    },
    {  // table 10
        0x0410, 0x0430, 0x0411, 0x0431, 0x0412, 0x0432, 0x0413, 0x0433,
        0x0414, 0x0434, 0x0415, 0x0435, 0x0401, 0x0451, 0x0416, 0x0436,
        0x0417, 0x0437, 0x0418, 0x0438, 0x0419, 0x0439, 0x041A, 0x043A,
        0x041B, 0x043B, 0x041C, 0x043C, 0x041D, 0x043D, 0x041E, 0x043E,
        0x041F, 0x043F, 0x0420, 0x0440, 0x0421, 0x0441, 0x0422, 0x0442,
        0x0423, 0x0443, 0x0424, 0x0444, 0x0425, 0x0445, 0x0426, 0x0446,
        0x0427, 0x0447, 0x0428, 0x0448, 0x0429, 0x0449, 0x042A, 0x044A,
        0x042B, 0x044B, 0x042C, 0x044C, 0x042D, 0x044D, 0x042E, 0x044E,
        0x042F, 0x044F, 0x0490, 0x0491, 0x0402, 0x0452, 0x0403, 0x0453,
        0x0404, 0x0454, 0x0405, 0x0455, 0x0406, 0x0456, 0x0407, 0x0457,
        0x0408, 0x0458, 0x0409, 0x0459, 0x040A, 0x045A, 0x040B, 0x045B,
        0x040C, 0x045C, 0x040E, 0x045E, 0x040F, 0x045F, 0x0462, 0x0463,
        0x0472, 0x0473, 0x0474, 0x0475, 0x046A, 0x046B, 0xA640, 0xA641,
        0x0429, 0x0449, 0x04C0, 0x04CF, 0x0466, 0x0467, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0x0400, 0x0450, 0, 0, 0x040D, 0x045D,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0x00B4, 0x0060, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
    },
    {  // table 11
        0x3041, 0x3043, 0x3045, 0x3047, 0x3049, 0x3053, 0x3083, 0x3085,
        0x3087, 0x3094, 0x3095, 0x3096, 0x3042, 0x3044, 0x3046, 0x3048,
        0x304A, 0x304B, 0x304D, 0x3047, 0x3051, 0x3053, 0x304C, 0x304E,
        0x3050, 0x3052, 0x3054, 0x3055, 0x3057, 0x3059, 0x305B, 0x305D,
        0x3056, 0x3058, 0x305A, 0x305C, 0x305E, 0x305F, 0x3051, 0x3064,
        0x3066, 0x3068, 0x3060, 0x3062, 0x3065, 0x3067, 0x3069, 0x306A,
        0x306B, 0x306C, 0x306D, 0x306E, 0x306F, 0x3072, 0x3075, 0x3078,
        0x307B, 0x3070, 0x3073, 0x3076, 0x3079, 0x307C, 0x3071, 0x3074,
        0x3077, 0x307A, 0x307D, 0x307E, 0x307F, 0x3080, 0x3081, 0x3082,
        0x3084, 0x3086, 0x3088, 0x3089, 0x308A, 0x308B, 0x308C, 0x308D,
        0x308E, 0x3092, 0x3093, 0x3014, 0x3015, 0xFF3B, 0xFF3D, 0x300C,
        0x300D, 0x300C, 0x300D, 0, 0x3002, 0x3001, 0x309D, 0x309E,
        0x3003, 0x30FC, 0x309B, 0x309C, 0x30A1, 0x30A3, 0x30A5, 0x30A7,
        0x30A9, 0x30C3, 0x30E3, 0x30E5, 0x3057, 0x30F4, 0x30F5, 0x30F6,
        0x30A2, 0x30A4, 0x30A6, 0x30A8, 0x30AA, 0x30AB, 0x30AD, 0x30AF,
        0x30B1, 0x30B3, 0x30AC, 0x30AE, 0x30B0, 0x30B2, 0x30B4, 0x30B5,
        0x30C4, 0x30B9, 0x30BB, 0x30BD, 0x30B6, 0x30B8, 0x30BA, 0x30BC,
        0x30BE, 0x30BF, 0x30C1, 0x30C4, 0x30C6, 0x30C8, 0x30C0, 0x30C2,
        0x30C5, 0x30C7, 0x30C9, 0x30CA, 0x30CB, 0x30CC, 0x30CD, 0x30CE,
        0x30CF, 0x30D2, 0x30D5, 0x30D8, 0x03D0, 0x30DB, 0x30D3, 0x30D6,
        0x30D9, 0x30DC, 0x30D1, 0x30D4, 0x30D7, 0x30DA, 0x30DD, 0x30DE,
        0x30DF, 0x30E0, 0x30E1, 0x30E2, 0x30E4, 0x30E6, 0x30E8, 0x30E9,
        0x30EA, 0x30AB, 0x30EC, 0x30ED, 0x30EF, 0x30F2, 0x30F3, 0x30FD,
        0x30FE, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
    },
    {  // table 12
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
    },
    {  // table 13
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0xFE77, 0, 0xFE79, 0, 0xFE7B,
        0, 0, 0, 0, 0, 0xFE7F, 0, 0xFE7D,
        0xFC60, 0, 0xFC61, 0, 0xFC62, 0, 0, 0xFC5E,
        0xFC5E, 0xFC5F, 0, 0, 0, 0x060C, 0x061B, 0x061F,
        0x066D, 0x0661, 0x0662, 0x0663, 0x0664, 0x0665, 0x0666, 0x0667,
        0x0668, 0x0669, 0x0660, 0x06F2, 0x0627, 0xFE8E, 0x0628, 0xFE91,
        0xFE92, 0xFE90, 0x062A, 0xFE97, 0xFE98, 0xFE96, 0x062B, 0xFE9B,
        0xFE9C, 0xFE9A, 0x062C, 0xFE9F, 0xFEA0, 0xFE9E, 0x062D, 0xFEA3,
        0xFEA4, 0xFEA2, 0x062E, 0xFEA7, 0xFEA8, 0xFEA6, 0x062F, 0xFEAA,
        0x0630, 0xFEAC, 0x0631, 0xFEAE, 0x0632, 0xFEB0, 0x0633, 0xFEB3,
        0xFEB4, 0xFEB2, 0x0634, 0xFEB7, 0xFEB8, 0xFEB6, 0x0635, 0xFEBB,
        0xFEBC, 0xFEBA, 0x0636, 0xFEBF, 0xFEC0, 0xFEBE, 0x0637, 0xFEC3,
        0xFEC4, 0xFEC2, 0x0638, 0xFEC7, 0xFEC8, 0xFEC6, 0x0639, 0xFECB,
        0xFECC, 0xFECA, 0x063A, 0xFECF, 0xFED0, 0xFECE, 0x0641, 0xFED3,
        0xFED4, 0xFED2, 0x0642, 0xFED6, 0xFED8, 0xFED6, 0x0643, 0xFEDB,
        0xFEDC, 0xFEDA, 0x0644, 0xFEDF, 0xFEE0, 0xFEDE, 0x0645, 0xFEE3,
        0xFEE4, 0xFEE2, 0x0646, 0xFEE7, 0xFEE8, 0xFEE6, 0x0647, 0xFEEB,
        0xFEEC, 0xFEEA, 0x0629, 0xFE94, 0x0648, 0xFEEE, 0x064A, 0xFEF3,
        0xFEF4, 0xFEF2, 0x0649, 0xFEF0, 0x0621, 0x0623, 0xFE84, 0x0625,
        0xFE88, 0x0624, 0xFE86, 0x0626, 0xFE8B, 0xFE8C, 0xFE8A, 0xFD3D,
        0xFD3C, 0x0622, 0xFE82, 0x02C6, 0xFEFB, 0xFEFC, 0xFEF7, 0xFEF8,
        0xFEF9, 0xFEFA, 0, 0, 0xFEF5, 0xFEF6, 0, 0,
        0xFDF2, 0x0640, 0x0640, 0x0671, 0xFB51, 0x066A, 0x00BB, 0x00AB,
        0xFD3F, 0xFD3E, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
    },
    {  // table 14
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0x06D4, 0, 0, 0x00B0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0xFC5E, 0,
        0, 0x06F4, 0x06F4, 0x06F5, 0x06F6, 0x06F6, 0x06F7, 0x06F8,
        0x067B, 0xFB54, 0xFB55, 0xFB53, 0x0680, 0xFB5C, 0xFB5D, 0xFB5B,
        0x067E, 0xFB58, 0xFB59, 0xFB57, 0x0679, 0xFB68, 0xFB69, 0xFB67,
        0x067C, 0x067C, 0x067C, 0x067C, 0x067F, 0xFB64, 0xFB65, 0xFB63,
        0x067D, 0x067D, 0x067D, 0x067D, 0x067A, 0xFB60, 0xFB61, 0xFB5F,
        0x0684, 0xFB74, 0xFB75, 0xFB73, 0x0683, 0xFB78, 0xFB79, 0xFB77,
        0x0686, 0xFB7C, 0xFB7D, 0xFB7B, 0x0687, 0xFB80, 0xFB81, 0xFB7F,
        0x0685, 0x0685, 0x0685, 0x0685, 0x0681, 0x0681, 0x0681, 0x0681,
        0x0688, 0xFB89, 0x0689, 0x0689, 0x068C, 0xFB85, 0x068E, 0xFB87,
        0x068A, 0x068A, 0x068D, 0xFB83, 0x0693, 0x0693, 0x0691, 0xFB8D,
        0x0699, 0x0699, 0x0695, 0x0695, 0x0692, 0x0692, 0x0698, 0xFB8B,
        0x0696, 0x0696, 0x075B, 0x075B, 0x069A, 0x069A, 0x069A, 0x069A,
        0x06A0, 0x06A0, 0x06A0, 0x06A0, 0x06A4, 0xFB6C, 0xFB6D, 0xFB6B,
        0x06A6, 0xFB70, 0xFB71, 0xFB6F, 0x06A9, 0xFB90, 0xFB91, 0xFB8F,
        0x0643, 0xFEDB, 0xFEDC, 0xFEDA, 0x06AA, 0x06AA, 0x06AA, 0x06AA,
        0x06AF, 0xFB94, 0xFB95, 0xFB93, 0x06AF, 0xFB94, 0xFB95, 0xFB93,
        0x06AB, 0x06AB, 0x06AB, 0x06AB, 0x06B1, 0xFB9C, 0xFB9D, 0xFB9B,
        0x06B3, 0xFB98, 0xFB99, 0xFB97, 0x06B5, 0x06B5, 0x06B5, 0x06B5,
        0, 0, 0x06BA, 0, 0, 0xFB9F, 0x06BC, 0x06BC,
        0x06BC, 0x06BC, 0x06BB, 0xFBA2, 0xFBA3, 0xFBA1, 0x06C6, 0xFBDA,
        0, 0, 0x06CA, 0x06CA, 0x06C1, 0xFBA8, 0xFBA9, 0xFBA7,
        0x06CE, 0x06CE, 0x06CE, 0x06CE, 0x06D2, 0xFBAF, 0x06D1, 0x06D1,
        0x06D1, 0x06D1, 0x06C0, 0xFBA5, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
    },
};

const std::uint16_t kCodePage437Unicode[256] = {
    0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0,
    0x0020, 0x0021, 0x0022, 0x0023, 0x0024, 0x0025, 0x0026, 0x0027,
    0x0028, 0x0029, 0x002A, 0x002B, 0x002C, 0x002D, 0x002E, 0x002F,
    0x0030, 0x0031, 0x0032, 0x0033, 0x0034, 0x0035, 0x0036, 0x0037,
    0x0038, 0x0039, 0x003A, 0x003B, 0x003C, 0x003D, 0x003E, 0x003F,
    0x0040, 0x0041, 0x0042, 0x0043, 0x0044, 0x0045, 0x0046, 0x0047,
    0x0048, 0x0049, 0x004A, 0x004B, 0x004C, 0x004D, 0x004E, 0x004F,
    0x0050, 0x0051, 0x0052, 0x0053, 0x0054, 0x0055, 0x0056, 0x0057,
    0x0058, 0x0059, 0x005A, 0x005B, 0x005C, 0x005D, 0x005E, 0x005F,
    0x0060, 0x0061, 0x0062, 0x0063, 0x0064, 0x0065, 0x0066, 0x0067,
    0x0068, 0x0069, 0x006A, 0x006B, 0x006C, 0x006D, 0x006E, 0x006F,
    0x0070, 0x0071, 0x0072, 0x0073, 0x0074, 0x0075, 0x0076, 0x0077,
    0x0078, 0x0079, 0x007A, 0x007B, 0x007C, 0x007D, 0x007E, 0x007F,
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7,
    0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5,
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
    0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192,
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA,
    0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556,
    0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510,
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567,
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B,
    0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
    0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4,
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229,
    0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248,
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,
};

const std::uint16_t kCodePage1252Unicode[256] = {
    0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0,
    0x0020, 0x0021, 0x0022, 0x0023, 0x0024, 0x0025, 0x0026, 0x0027,
    0x0028, 0x0029, 0x002A, 0x002B, 0x002C, 0x002D, 0x002E, 0x002F,
    0x0030, 0x0031, 0x0032, 0x0033, 0x0034, 0x0035, 0x0036, 0x0037,
    0x0038, 0x0039, 0x003A, 0x003B, 0x003C, 0x003D, 0x003E, 0x003F,
    0x0040, 0x0041, 0x0042, 0x0043, 0x0044, 0x0045, 0x0046, 0x0047,
    0x0048, 0x0049, 0x004A, 0x004B, 0x004C, 0x004D, 0x004E, 0x004F,
    0x0050, 0x0051, 0x0052, 0x0053, 0x0054, 0x0055, 0x0056, 0x0057,
    0x0058, 0x0059, 0x005A, 0x005B, 0x005C, 0x005D, 0x005E, 0x005F,
    0x0060, 0x0061, 0x0062, 0x0063, 0x0064, 0x0065, 0x0066, 0x0067,
    0x0068, 0x0069, 0x006A, 0x006B, 0x006C, 0x006D, 0x006E, 0x006F,
    0x0070, 0x0071, 0x0072, 0x0073, 0x0074, 0x0075, 0x0076, 0x0077,
    0x0078, 0x0079, 0x007A, 0x007B, 0x007C, 0x007D, 0x007E, 0x007F,
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178,
    0x00A0, 0x00A1, 0x00A2, 0x00A3, 0x00A4, 0x00A5, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x00AA, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x00AF,
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x00B9, 0x00BA, 0x00BB, 0x00BC, 0x00BD, 0x00BE, 0x00BF,
    0x00C0, 0x00C1, 0x00C2, 0x00C3, 0x00C4, 0x00C5, 0x00C6, 0x00C7,
    0x00C8, 0x00C9, 0x00CA, 0x00CB, 0x00CC, 0x00CD, 0x00CE, 0x00CF,
    0x00D0, 0x00D1, 0x00D2, 0x00D3, 0x00D4, 0x00D5, 0x00D6, 0x00D7,
    0x00D8, 0x00D9, 0x00DA, 0x00DB, 0x00DC, 0x00DD, 0x00DE, 0x00DF,
    0x00E0, 0x00E1, 0x00E2, 0x00E3, 0x00E4, 0x00E5, 0x00E6, 0x00E7,
    0x00E8, 0x00E9, 0x00EA, 0x00EB, 0x00EC, 0x00ED, 0x00EE, 0x00EF,
    0x00F0, 0x00F1, 0x00F2, 0x00F3, 0x00F4, 0x00F5, 0x00F6, 0x00F7,
    0x00F8, 0x00F9, 0x00FA, 0x00FB, 0x00FC, 0x00FD, 0x00FE, 0x00FF,
};

}  // namespace lettrix
