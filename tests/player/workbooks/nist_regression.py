"""The linear regression sets of NIST StRD (the Statistical Reference Datasets of the National
Institute of Standards and Technology, https://www.itl.nist.gov/div898/strd/lls/lls.shtml):
Norris, Pontius, NoInt1, NoInt2, Filip, Longley and Wampler1-5, as their data files give them.

Each set is fitted by LINEST with its statistics; the workbook's data columns hold the response
and the predictors (the powers of x for the polynomial sets, computed here, so that the program
computing the workbook and the movie read the same numbers). The exact least-squares solution of
those numbers, in rational arithmetic, is the reference against which make_workbooks.py reports
the digits the computing program reaches on each set; a case agrees with that program's value to
the relative tolerance of its set, which the program reaches on every statistic of the set.
"""
from decimal import Decimal, getcontext
from fractions import Fraction

NORRIS_Y = [0.1, 338.8, 118.1, 888.0, 9.2, 228.1, 668.5, 998.5, 449.1, 778.9, 559.2, 0.3, 0.1, 778.1, 668.8,
            339.3, 448.9, 10.8, 557.7, 228.3, 998.0, 888.8, 119.6, 0.3, 0.6, 557.6, 339.3, 888.0, 998.5, 778.9,
            10.2, 117.6, 228.9, 668.4, 449.2, 0.2]
NORRIS_X = [0.2, 337.4, 118.2, 884.6, 10.1, 226.5, 666.3, 996.3, 448.6, 777.0, 558.2, 0.4, 0.6, 775.5, 666.9,
            338.0, 447.5, 11.6, 556.0, 228.1, 995.8, 887.6, 120.2, 0.3, 0.3, 556.8, 339.1, 887.2, 999.0, 779.0,
            11.1, 118.3, 229.2, 669.1, 448.9, 0.5]

PONTIUS_Y = [.11019, .21956, .32949, .43899, .54803, .65694, .76562, .87487, .98292, 1.09146, 1.20001, 1.30822,
             1.41599, 1.52399, 1.63194, 1.73947, 1.84646, 1.95392, 2.06128, 2.16844, .11052, .22018, .32939,
             .43886, .54798, .65739, .76596, .87474, .98300, 1.09150, 1.20004, 1.30818, 1.41613, 1.52408,
             1.63159, 1.73965, 1.84696, 1.95445, 2.06177, 2.16829]
PONTIUS_X = [150000 * (i % 20 + 1) for i in range(40)]

NOINT1_Y = list(range(130, 141))
NOINT1_X = list(range(60, 71))
NOINT2_Y = [3, 4, 4]
NOINT2_X = [4, 5, 6]

FILIP_Y = [0.8116, 0.9072, 0.9052, 0.9039, 0.8053, 0.8377, 0.8667, 0.8809, 0.7975, 0.8162, 0.8515, 0.8766, 0.8885,
           0.8859, 0.8959, 0.8913, 0.8959, 0.8971, 0.9021, 0.909, 0.9139, 0.9199, 0.8692, 0.8872, 0.89, 0.891,
           0.8977, 0.9035, 0.9078, 0.7675, 0.7705, 0.7713, 0.7736, 0.7775, 0.7841, 0.7971, 0.8329, 0.8641, 0.8804,
           0.7668, 0.7633, 0.7678, 0.7697, 0.77, 0.7749, 0.7796, 0.7897, 0.8131, 0.8498, 0.8741, 0.8061, 0.846,
           0.8751, 0.8856, 0.8919, 0.8934, 0.894, 0.8957, 0.9047, 0.9129, 0.9209, 0.9219, 0.7739, 0.7681, 0.7665,
           0.7703, 0.7702, 0.7761, 0.7809, 0.7961, 0.8253, 0.8602, 0.8809, 0.8301, 0.8664, 0.8834, 0.8898, 0.8964,
           0.8963, 0.9074, 0.9119, 0.9228]
FILIP_X = [-6.860120914, -4.324130045, -4.358625055, -4.358426747, -6.955852379, -6.661145254, -6.355462942,
           -6.118102026, -7.115148017, -6.815308569, -6.519993057, -6.204119983, -5.853871964, -6.109523091,
           -5.79832982, -5.482672118, -5.171791386, -4.851705903, -4.517126416, -4.143573228, -3.709075441,
           -3.499489089, -6.300769497, -5.953504836, -5.642065153, -5.031376979, -4.680685696, -4.329846955,
           -3.928486195, -8.56735134, -8.363211311, -8.107682739, -7.823908741, -7.522878745, -7.218819279,
           -6.920818754, -6.628932138, -6.323946875, -5.991399828, -8.781464495, -8.663140179, -8.473531488,
           -8.247337057, -7.971428747, -7.676129393, -7.352812702, -7.072065318, -6.774174009, -6.478861916,
           -6.159517513, -6.835647144, -6.53165267, -6.224098421, -5.910094889, -5.598599459, -5.290645224,
           -4.974284616, -4.64454848, -4.290560426, -3.885055584, -3.408378962, -3.13200249, -8.726767166,
           -8.66695597, -8.511026475, -8.165388579, -7.886056648, -7.588043762, -7.283412422, -6.995678626,
           -6.691862621, -6.392544977, -6.067374056, -6.684029655, -6.378719832, -6.065855188, -5.752272167,
           -5.132414673, -4.811352704, -4.098269308, -3.66174277, -3.2644011]

LONGLEY = [  # y, x1..x6
    (60323, 83.0, 234289, 2356, 1590, 107608, 1947), (61122, 88.5, 259426, 2325, 1456, 108632, 1948),
    (60171, 88.2, 258054, 3682, 1616, 109773, 1949), (61187, 89.5, 284599, 3351, 1650, 110929, 1950),
    (63221, 96.2, 328975, 2099, 3099, 112075, 1951), (63639, 98.1, 346999, 1932, 3594, 113270, 1952),
    (64989, 99.0, 365385, 1870, 3547, 115094, 1953), (63761, 100.0, 363112, 3578, 3350, 116219, 1954),
    (66019, 101.2, 397469, 2904, 3048, 117388, 1955), (67857, 104.6, 419180, 2822, 2857, 118734, 1956),
    (68169, 108.4, 442769, 2936, 2798, 120445, 1957), (66513, 110.8, 444546, 4681, 2637, 121950, 1958),
    (68655, 112.6, 482704, 3813, 2552, 123366, 1959), (69564, 114.2, 502601, 3931, 2514, 125368, 1960),
    (69331, 115.7, 518173, 4806, 2572, 127852, 1961), (70551, 116.9, 554894, 4007, 2827, 130081, 1962),
]

WAMPLER_X = list(range(21))
WAMPLER_Y = {
    "Wampler1": [1, 6, 63, 364, 1365, 3906, 9331, 19608, 37449, 66430, 111111, 177156, 271453, 402234, 579195,
                 813616, 1118481, 1508598, 2000719, 2613660, 3368421],
    "Wampler2": [1.00000, 1.11111, 1.24992, 1.42753, 1.65984, 1.96875, 2.38336, 2.94117, 3.68928, 4.68559,
                 6.00000, 7.71561, 9.92992, 12.75603, 16.32384, 20.78125, 26.29536, 33.05367, 41.26528,
                 51.16209, 63.00000],
    "Wampler3": [760, -2042, 2111, -1684, 3888, 1858, 11379, 17560, 39287, 64382, 113159, 175108, 273291,
                 400186, 581243, 811568, 1121004, 1506550, 2002767, 2611612, 3369180],
    "Wampler4": [75901, -204794, 204863, -204436, 253665, -200894, 214131, -185192, 221249, -138370, 315911,
                 -27644, 455253, 197434, 783995, 608816, 1370781, 1303798, 2205519, 2408860, 3444321],
    "Wampler5": [7590001, -20479994, 20480063, -20479636, 25231365, -20476094, 20489331, -20460392, 18417449,
                 -20413570, 20591111, -20302844, 18651453, -20077766, 21059195, -19666384, 26348481, -18971402,
                 22480719, -17866340, 10958421],
}

# Certified values of the NIST pages that check the data above was entered as published: the
# exact fit of these numbers must give them to the 15 digits the pages print.
CERTIFIED = {
    "Norris": [1.00211681802045, -0.262323073774029],
    "Pontius": [-0.316081871345029E-14, 0.732059160401003E-06, 0.673565789473684E-03],
    "NoInt1": [2.07438016528926],
    "NoInt2": [0.727272727272727],
    "Filip": [-4.02962525080404E-05, -0.00246781078275479, -0.0670191154593408, -1.06221498588947,
              -10.8753180355343, -75.1242017393757, -354.478233703349, -1127.97394098372, -2316.37108160893,
              -2772.17959193342, -1467.4896142298],
    "Longley": [1829.15146461355, -0.0511041056535807, -1.03322686717359, -2.02022980381683,
                -0.035819179292591, 15.0618722713733, -3482258.63459582],
    "Wampler1": [1, 1, 1, 1, 1, 1],
    "Wampler2": [1e-5, 1e-4, 1e-3, 1e-2, 0.1, 1],
    "Wampler3": [1, 1, 1, 1, 1, 1],
    "Wampler4": [1, 1, 1, 1, 1, 1],
    "Wampler5": [1, 1, 1, 1, 1, 1],
}

# The relative tolerance to which the movie must agree with the computing program on each set:
# twice the distance from the exact fit of the less exact of the two, in significant digits
# (the computing program's as make_workbooks.py reports it, then the movie's): both err by up
# to that much, in either direction.
#   Norris 13.3 13.3, Pontius 13.5 12.3, NoInt1 14.7 14.7, NoInt2 14.9 14.9, Filip 7.8 7.2,
#   Longley 14.3 13.3, Wampler1 9.2 9.2, Wampler2 12.7 13.1, Wampler3 9.6 9.1, Wampler4 8.1 8.1,
#   Wampler5 6.1 6.1
TOLERANCE = {
    "Norris": 2e-13, "Pontius": 2e-12, "NoInt1": 2e-14, "NoInt2": 2e-14, "Filip": 2e-7, "Longley": 2e-13,
    "Wampler1": 2e-9, "Wampler2": 2e-12, "Wampler3": 2e-9, "Wampler4": 2e-8, "Wampler5": 2e-6,
}


def column_name(index):
    """Column letters of a 0-based column index."""
    name = ""
    index += 1
    while index:
        index, rest = divmod(index - 1, 26)
        name = chr(ord("A") + rest) + name
    return name


def sets():
    """(name, y, predictor columns, with a constant) of every set."""
    # The computing program saves numbers to 15 significant digits: the powers are written so,
    # that it computes from the numbers its workbook holds.
    powers = lambda xs, n: [[float("%.15g" % x ** k) for x in xs] for k in range(1, n + 1)]
    out = [
        ("Norris", NORRIS_Y, [NORRIS_X], True),
        ("Pontius", PONTIUS_Y, powers(PONTIUS_X, 2), True),
        ("NoInt1", NOINT1_Y, [NOINT1_X], False),
        ("NoInt2", NOINT2_Y, [NOINT2_X], False),
        ("Filip", FILIP_Y, powers(FILIP_X, 10), True),
        ("Longley", [row[0] for row in LONGLEY], [[row[k] for row in LONGLEY] for k in range(1, 7)], True),
    ]
    for name, ys in WAMPLER_Y.items():
        out.append((name, ys, powers(WAMPLER_X, 5), True))
    return out


def layout(first_column):
    """The data columns ({letter: values}) from the 0-based column first_column on, and for
    each set (name, LINEST's arguments as text, number of coefficients)."""
    data = {}
    placed = []
    column = first_column
    wampler_x = None
    for name, ys, xs, constant in sets():
        y_col = column_name(column)
        data[y_col] = ys
        column += 1
        n = len(ys)
        if name.startswith("Wampler") and wampler_x:
            x_first, x_last = wampler_x
        else:
            x_first = column_name(column)
            for values in xs:
                data[column_name(column)] = values
                column += 1
            x_last = column_name(column - 1)
            if name.startswith("Wampler"):
                wampler_x = (x_first, x_last)
        arguments = "%s1:%s%d,%s1:%s%d,%s,TRUE()" % (y_col, y_col, n, x_first, x_last, n,
                                                    "TRUE()" if constant else "FALSE()")
        placed.append((name, arguments, len(xs) + (1 if constant else 0)))
    return data, placed


# Sets whose data lie on their polynomial: the standard errors are zero and the programs give
# the noise of their rounding, which no two programs share.
EXACT = {"Wampler1", "Wampler2"}


def statistics_of(name, arguments, coefficients):
    """The cells of LINEST's statistics each case reads: the coefficients and their standard
    errors, R squared and the standard error of y (R squared alone for a set of EXACT)."""
    cells = [(1, k) for k in range(1, coefficients + 1)]
    if name in EXACT:
        cells += [(3, 1)]
    else:
        cells += [(2, k) for k in range(1, coefficients + 1)] + [(3, 1), (3, 2)]
    return ["=INDEX(LINEST(%s),%d,%d)" % (arguments, r, c) for r, c in cells], cells


def exact_fit(ys, xs, constant):
    """LINEST's statistics of the exact least-squares fit, keyed as statistics_of's cells, as
    Decimals of 40 digits: rational elimination on the normal equations, square roots last."""
    getcontext().prec = 40
    rows = [[Fraction(x[i]) for x in xs] + ([Fraction(1)] if constant else []) for i in range(len(ys))]
    y = [Fraction(v) for v in ys]
    p = len(rows[0])
    a = [[sum(r[i] * r[j] for r in rows) for j in range(p)] for i in range(p)]
    # the inverse of the normal matrix, by Gauss-Jordan on [A | I]
    m = [a[i] + [Fraction(int(i == j)) for j in range(p)] for i in range(p)]
    for c in range(p):
        pivot = next(r for r in range(c, p) if m[r][c] != 0)
        m[c], m[pivot] = m[pivot], m[c]
        inv = 1 / m[c][c]
        m[c] = [v * inv for v in m[c]]
        for r in range(p):
            if r != c and m[r][c] != 0:
                f = m[r][c]
                m[r] = [v - f * w for v, w in zip(m[r], m[c])]
    inverse = [row[p:] for row in m]
    xty = [sum(r[i] * yv for r, yv in zip(rows, y)) for i in range(p)]
    beta = [sum(inverse[i][j] * xty[j] for j in range(p)) for i in range(p)]
    residual = sum((yv - sum(b * v for b, v in zip(beta, r))) ** 2 for r, yv in zip(rows, y))
    mean = sum(y) / len(y) if constant else 0
    total = sum((yv - mean) ** 2 for yv in y)
    df = len(y) - p
    s2 = residual / df
    dec = lambda f: Decimal(f.numerator) / Decimal(f.denominator)
    # LINEST lists the coefficients last predictor first, the constant last
    order = list(range(p - 1 - (1 if constant else 0), -1, -1)) + ([p - 1] if constant else [])
    out = {}
    for k, i in enumerate(order, 1):
        out[(1, k)] = dec(beta[i])
        out[(2, k)] = dec(s2 * inverse[i][i]).sqrt()
    out[(3, 1)] = dec(1 - residual / total)
    out[(3, 2)] = dec(s2).sqrt()
    return out


def digits(value, exact):
    """Significant digits to which value agrees with exact (15 where it is exact)."""
    value = Decimal(repr(float(value)))
    if value == exact:
        return 15.0
    if exact == 0:
        return float(-abs(value).log10())
    return min(15.0, float(-(abs(value - exact) / abs(exact)).log10()))
