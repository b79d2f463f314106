#!/usr/bin/env python3
"""Writes the reference workbooks of the spreadsheet functions, one per group, and has a real
spreadsheet program compute them: each group becomes a tab-separated sheet that LibreOffice
Calc (headless) imports with its formulas and saves as .xlsx with the cached values.

Layout of every sheet: column A a case's formula, column B the expected value where the
documented desktop-spreadsheet rule departs from the program that computed the workbook
("n:53", "s:text", "b:TRUE", "e:#NUM!"), column C why, column D a relative tolerance of the
case's own; columns E on hold the data that the cases read. The player test compiles every formula of column A and compares the movie's value
with column B when it is set, else with the cached value.

Usage: make_workbooks.py [output folder [group...]]   (needs soffice; CI does not run this)
With groups named, only their workbooks are computed again.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import zipfile
from xml.sax.saxutils import escape as xml_escape

import nist_regression

# Data in columns E..Q, rows 1..8. A str is text (quoted so that the import keeps "010" as
# text), None a blank cell.
DATA = {
    "E": [10, 20, 30, 40, 50, 5, 15, 25],
    "F": ["apple", "Banana", "cherry", "apple pie", "date", "", None, "Apple"],
    "G": ["=TRUE()", 5, "7", None, 3.5, "abc", -2, 0],
    "H": [1, 59, 60, 61, 45291, 45292, 45657, 45658],
    "I": [2, 4, 5, 4, 5, 7, 8, 9],
    "J": [-1000, 300, 400, 500, 200, None, None, None],
    "K": [1, 3, 5, 7, None, None, None, None],
    "L": ["one", "three", "five", "seven", None, None, None, None],
    "M": ["apple", "banana", "cherry", "date", "fig", None, None, None],
    "N": [1, 2, 3, 4, 5, None, None, None],
    "O": ["2", "3.5", "010", " 4 ", "1,234", "50%", "abc", "2024-01-15"],
    "P": [45292, 45293, 45299, 45306, None, None, None, None],
    "Q": [1, 2, "=1/0", 4, 5, None, None, None],
    "R": ['=""', 1, "1", '=""', "TRUE", None, "x", 2],
    # errors typed into cells: computed from these formulas, then stored as the constants
    "S": ["=NA()", 4, "=1/0", None, None, None, None, None],
}
TYPED_ERRORS = {"S1": "#N/A", "S3": "#DIV/0!"}



class Array:
    """An array formula "{=...}" over rows cells of column A from the case's row down (the
    cases after it start below its area); expected and why as in a case tuple."""

    def __init__(self, formula, rows=1, expected=None, why=None):
        assert formula.startswith("{=") and formula.endswith("}")
        self.formula = formula[1:-1]
        self.rows = rows
        self.expected = expected
        self.why = why


class Near:
    """A formula whose value the movie must give to a relative tolerance of its own (written in
    column D) rather than the player test's usual one."""

    def __init__(self, formula, tolerance):
        self.formula = formula
        self.tolerance = tolerance


# Each case: a formula, (formula, expected by the documented rule, why), an Array or a Near.
GROUPS = {}
# Data columns of a group beyond DATA's ({letter: values}, in the order of the columns).
GROUP_DATA = {}

GROUPS["operators"] = [
    '=O1+O2', '=O3+0', '=O4*2', '=O5+1', '=O6*2', '="2"+"3.5"', '=F7+1', '=F7&"x"', '=TRUE()+1',
    '=F1=F8', '="abc"="ABC"', '="a"<"B"', '=1<"a"',
    ('="a"<TRUE()', 'b:TRUE', 'logical values sort after numbers and text'),
   
    ('=TRUE()>1', 'b:TRUE', 'logical values sort after numbers and text'),
    '=F7=0', '=F7=""', '=F6=F7', '=1/3&""',
    ('=1/7*1E+20&""', 's:1.42857142857143E+19', 'exponents have two digits at least'),
    ('=123456789012345678&""', 's:1.23456789012346E+17', 'exponents have two digits at least'),
    '=0.000001&""',
    '=1.5E-07&""', '=-0.5&"x"',
    ('=TRUE()&"x"', 's:TRUEx', 'a logical value joins as TRUE or FALSE'),
    '=2^3^2', '=-2^2', '=10%', '=5%%',
    ('=(0.1+0.2-0.3)', 'n:5.55111512312578E-17', 'a bracketed result is not zeroed'),
    '=1/0', '=#N/A+1', '=1+#N/A', '=#DIV/0!&#N/A', '="a"*2',
    ('=0^0', 'e:#NUM!', '0 to the power 0 is #NUM!'),
    ('=(-8)^(1/3)', 'e:#NUM!', 'a negative number to a fraction is #NUM!'),
    ('=0^-1', 'e:#DIV/0!', '0 to a negative power is #DIV/0!'),
    '="x"&E1', '=-"3"', '=1E+308*10', '=3-"1,234"', '="1e3"+0',
]

GROUPS["logical"] = [
    '=AND(TRUE(),1)', '=AND(TRUE(),0)', '=AND(G1:G8)', '=AND("x")', '=AND(F1:F2)',
    '=AND(#N/A,FALSE())', '=OR(FALSE(),0)', '=OR(G1:G8)', '=OR(F1:F2)', '=XOR(TRUE(),TRUE(),TRUE())',
    '=XOR(1,0)', '=NOT(0)', '=NOT("a")', '=TRUE()', '=FALSE()', '=IF(1,"y","n")',
    ('=IF(0,"y")', 'b:FALSE', 'a left-out else branch gives FALSE'),
   
    '=IF(0,"y",)', '=IF(TRUE(),,1)', '=IF("x",1,2)', '=IF(#N/A,1,2)', '=IF(F7,1,2)', '=IF(E1>5,E1,E2)',
    '=IFERROR(1/0,"e")', '=IFERROR(5,"e")', '=IFERROR(#N/A,)', '=IFNA(#N/A,"na")', '=IFNA(1/0,"na")',
    '=IFS(E1>20,"a",E1>5,"b")', '=IFS(FALSE(),1)', '=IFS(1/0,1,TRUE(),2)', '=SWITCH(2,1,"a",2,"b")',
    '=SWITCH("B","a",1,"b",2)', '=SWITCH(9,1,"a","none")', '=SWITCH(9,1,"a")',
    ('=SWITCH(1,"1","t",1,"n")', 's:n', 'text never equals a number'),
    '=XOR(G1:G8)', '=XOR(E1:E2)', '=XOR(E1:E3,TRUE())',
    '=S1', '=S1+E1', '=IFERROR(S1,"e")', '=IFNA(S1+1,"na")', '=ISNA(S1)', '=IFERROR(S3,S2)',
    '=ISERROR(S1:S3)', '=SUM(S2:S3)', '=COUNT(S1:S3)', '=IF(ISERROR(S3),ERROR.TYPE(S3))',
]

GROUPS["information"] = [
    '=ISBLANK(F7)', '=ISBLANK(F6)', '=ISBLANK(0)', '=ISERR(#N/A)', '=ISERR(1/0)', '=ISERROR(#N/A)',
    '=ISERROR(1)', '=ISNA(#N/A)', '=ISNA(#VALUE!)', '=ISEVEN(2.9)', '=ISEVEN(-3)',
    '=ISEVEN("x")', '=ISODD(3)', ('=ISODD(F7)', 'b:FALSE', 'a blank cell reads as 0'), '=ISLOGICAL(TRUE())', '=ISLOGICAL(1)', '=ISNONTEXT(F7)',
    '=ISNONTEXT("a")', '=ISNUMBER(O1)', '=ISNUMBER(E1)', '=ISTEXT(O1)', '=ISTEXT(F7)', '=N(5)',
    '=N("5")', '=N(TRUE())', '=N(#N/A)', '=N(F7)', '=ISNA(NA())', '=TYPE(1)', '=TYPE("a")',
    ('=TYPE(TRUE())', 'n:4', 'a logical value is of type 4'), '=TYPE(#N/A)', '=TYPE({1,2})', '=TYPE(F7)', ('=ERROR.TYPE(#NULL!)', 'n:1', 'the error #NULL! is of type 1'),
    '=ERROR.TYPE(1/0)', '=ERROR.TYPE(#VALUE!)', '=ERROR.TYPE(#REF!)', '=ERROR.TYPE(#NAME?)',
    '=ERROR.TYPE(#NUM!)', '=ERROR.TYPE(#N/A)', '=ERROR.TYPE(1)',
    ('=ISEVEN(TRUE())', 'e:#VALUE!', 'a logical value is no number here'),
    ('=ISODD(FALSE())', 'e:#VALUE!', 'a logical value is no number here'),
    '=F7', '=K8', '=F7&""', '=IF(TRUE(),F7)',
]

GROUPS["math"] = [
    '=ROUND(-1234.5,-1)', '=ROUND(5.5,-1)', '=ROUND(0.5,0)', '=ROUNDUP(0.0001,3)', '=ROUNDDOWN(1E-20,2)',
    '=MROUND(2.5,1)', '=MROUND(-7.5,-5)', '=EVEN(3)', '=ODD(3)', '=ODD(-3.5)', '=CEILING.MATH(2.1,-1)',
    '=FLOOR.MATH(-2.1,-1)', '=MOD(0.3,0.1)', '=MOD(-0,5)', '=INT(-0.5)', '=TRUNC(1E+20,-5)', '=SIGN("−1")',
    '=SQRT("16")', '=POWER("2","3")', '=PRODUCT()', ('=SUMSQ("3")', 'n:9', 'text typed as an argument is read as a number'), '=GCD(0,0)', '=LCM(1.9,2.9)', '=COMBIN(0,0)',
    '=SUMIF(E1:E8,">"&"25")', '=SUMIF(E1:E8,"<=15")', '=SUMIF(I1:I8,"<>4",E1:E8)', '=SUMIF(F1:F8,"apple?pie",E1:E8)',
    '=SUMIFS(E1:E8,I1:I8,4)', '=SUMPRODUCT({1,2,3},{4,5,6})', '=SUBTOTAL(10,I1:I8)', '=SUBTOTAL(11,I1:I8)',
    '=SUBTOTAL(5,E1:E8)', '=SUBTOTAL(6,E1:E3)', '=SUBTOTAL(8,I1:I8)',
    '=ABS(-2.5)', '=ABS("x")', '=ACOS(0.5)', '=ACOS(2)', '=ACOSH(2)', ('=ACOSH(0.5)', 'e:#NUM!', 'the error kind of the desktop spreadsheet'), '=ASIN(0.5)',
    '=ASINH(-1.5)', '=ATAN(1)', '=ATAN2(1,1)', '=ATAN2(-1,0)', ('=ATAN2(0,0)', 'e:#DIV/0!', 'the error kind of the desktop spreadsheet'), '=ATANH(0.5)',
    ('=ATANH(1)', 'e:#NUM!', 'the error kind of the desktop spreadsheet'), '=CEILING(2.5,1)', ('=CEILING(-2.5,-2)', 'n:-4', 'both negative rounds away from 0'), ('=CEILING(-2.5,2)', 'n:-2', 'a negative number rounds up toward 0'), ('=CEILING(2.5,-1)', 'e:#NUM!', 'the error kind of the desktop spreadsheet'),
    '=CEILING(0.3,0.1)', '=CEILING.MATH(-2.5)', '=CEILING.MATH(-2.5,2,1)', '=CEILING.MATH(6.7,2)',
    '=COMBIN(10,3)', ('=COMBIN(5,6)', 'e:#NUM!', 'the error kind of the desktop spreadsheet'), '=COMBIN(50,25)', '=COS(1)', '=COSH(1)', '=DEGREES(PI())',
    '=EVEN(1.5)', '=EVEN(-1)', '=EVEN(2)', '=EXP(1)', '=EXP(1000)', '=FACT(5)', '=FACT(5.9)',
    ('=FACT(-1)', 'e:#NUM!', 'the error kind of the desktop spreadsheet'), '=FACT(0)', '=FLOOR(2.5,1)',
    ('=FLOOR(-2.5,1)', 'n:-3', 'FLOOR of a negative number rounds down'),
    ('=FLOOR(-2.5,-2)', 'n:-2', 'both negative rounds toward 0'), ('=FLOOR(2.5,-1)', 'e:#NUM!', 'the error kind of the desktop spreadsheet'), ('=FLOOR(2.5,0)', 'e:#DIV/0!', 'the error kind of the desktop spreadsheet'), '=FLOOR(0.7,0.1)', '=FLOOR.MATH(-2.5)',
    '=FLOOR.MATH(-2.5,2,1)', '=FLOOR.MATH(7.9,2)', '=GCD(12,18,24)', '=GCD(E1:E5)', ('=GCD(-1,2)', 'e:#NUM!', 'the error kind of the desktop spreadsheet'),
    '=LCM(4,6)', '=LCM(0,3)', '=INT(-2.5)', '=INT(2.9)', '=INT("3.7")', '=LN(10)',
    ('=LN(0)', 'e:#NUM!', 'the logarithm of 0 is #NUM!'),
    '=LOG(1000)', '=LOG(8,2)', ('=LOG(10,1)', 'e:#DIV/0!', 'the error kind of the desktop spreadsheet'), ('=LOG(-1)', 'e:#NUM!', 'the error kind of the desktop spreadsheet'), '=LOG10(0.001)', '=MOD(-1,3)', '=MOD(1,-3)',
    '=MOD(5.5,2)', '=MOD(5,0)', '=MOD(-7.5,2)', '=MROUND(10,3)', '=MROUND(-10,-3)', ('=MROUND(10,-3)', 'e:#NUM!', 'the error kind of the desktop spreadsheet'),
    '=MROUND(7.5,5)', '=ODD(1.5)', '=ODD(-2)', '=ODD(0)', '=PI()', '=POWER(2,10)', ('=POWER(-8,1/3)', 'e:#NUM!', 'the error kind of the desktop spreadsheet'),
    ('=POWER(0,0)', 'e:#NUM!', 'the error kind of the desktop spreadsheet'), ('=PRODUCT(2,3,"4")', 'n:24', 'text typed as an argument is read as a number'), '=PRODUCT(E1:E3)', '=PRODUCT(F1:F2)', '=QUOTIENT(-7,2)',
    ('=QUOTIENT(7,0)', 'e:#DIV/0!', 'the error kind of the desktop spreadsheet'), '=RADIANS(180)', '=RAND()<1', '=RANDBETWEEN(3,3)', '=ROUND(2.5,0)',
    '=ROUND(-2.5,0)', '=ROUND(1.005,2)', '=ROUND(2.675,2)', '=ROUND(1234.5678,-2)', '=ROUND(0.285,2)',
    '=ROUND(-1.005,2)', '=ROUNDDOWN(3.99,1)', '=ROUNDDOWN(-3.99,1)', '=ROUNDUP(3.01,1)',
    '=ROUNDUP(-3.01,0)', '=ROUNDUP(1234.1,-2)', '=SIGN(-0.1)', '=SIGN(0)', '=SIN(1)', '=SINH(1)',
    '=SQRT(16)', ('=SQRT(-1)', 'e:#NUM!', 'the square root of a negative number is #NUM!'),
    '=SUBTOTAL(9,E1:E8)', '=SUBTOTAL(1,E1:E8)', ('=SUBTOTAL(2,G1:G8)', 'n:4', 'logical values inside ranges are not counted'), '=SUBTOTAL(3,G1:G8)',
    '=SUBTOTAL(4,E1:E8)', '=SUBTOTAL(109,E1:E8)', '=SUBTOTAL(7,E1:E8)', '=SUBTOTAL(12,E1:E8)',
    '=SUM(E1:E8)', '=SUM(1,2,3)', '=SUM(1/0,#N/A)', '=MAX(E1:E8,#NUM!)', ('=ROUND(#N/A,1/0)', 'e:#N/A', 'the first error from the left passes on'),
    ('=SUM("2","3")', 'n:5', 'text typed as an argument is read as a number'),
    ('=SUM(G1:G8)', 'n:6.5', 'logical values and text inside ranges are skipped'),
    ('=SUM(G1:G8,TRUE())', 'n:7.5', 'logical values inside ranges are skipped'), '=SUM(E1:E2,#N/A)', '=SUM()', '=SUM(F1:F8)',
    '=SUMIF(E1:E8,">=20")', '=SUMIF(E1:E8,">20",I1:I8)', '=SUMIF(F1:F8,"apple",E1:E8)',
    '=SUMIF(F1:F8,"a*",E1:E8)', '=SUMIF(F1:F8,"<>apple",E1:E8)', '=SUMIF(F1:F8,"?????",E1:E8)',
    '=SUMIF(E1:E8,30)', '=SUMIF(E1:E8,"<>30")', '=SUMIF(F1:F8,"",E1:E8)', '=SUMIF(F1:F8,"=",E1:E8)',
    '=SUMIF(E1:E8,"<"&E2)', '=SUMIF(F1:F8,">b",E1:E8)', '=SUMIF(F1:F8,"*e*",E1:E8)',
    '=SUMIFS(E1:E8,E1:E8,">10",E1:E8,"<50")', '=SUMIFS(E1:E8,F1:F8,"apple*",I1:I8,">2")',
    '=SUMIFS(E1:E8,F1:F8,"*")', '=SUMPRODUCT(E1:E4,I1:I4)', '=SUMPRODUCT(E1:E8)',
    '=SUMPRODUCT(E1:E4,I1:I3)', ('=SUMPRODUCT(G1:G8,E1:E8)', 'n:245', 'logical values inside ranges count as 0'), '=SUMSQ(3,4)', '=SUMSQ(E1:E3)',
    '=TAN(1)', '=TANH(0.5)', '=TRUNC(-2.7)', '=TRUNC(3.14159,3)', '=TRUNC(1234,-2)',
]

GROUPS["statistics"] = [
    '=COUNTIF(E1:E8,"<>"&"30")', '=COUNTIF(F1:F8,"*")', '=COUNTIF(F1:F8,"?*")',
    '=COUNTIF(E1:E8,"=10")', '=COUNTIF(E1:E8,"=")', '=COUNTIF(F1:F8,"<c")', '=COUNTIFS(F1:F8,"a*",F1:F8,"<>apple")',
    '=AVERAGEIF(F1:F8,"<>apple",E1:E8)', '=MAXIFS(E1:E8,I1:I8,">4",F1:F8,"<>")', '=MINIFS(E1:E8,F1:F8,"zzz")',
    '=MEDIAN(E1:E7)', ('=MODE(E1:E8)', 'e:#N/A', 'no number repeats: #N/A'), '=LARGE({3,1,2},3)', ('=SMALL({3,1,2},0)', 'e:#NUM!', 'the error kind of the desktop spreadsheet'), '=PERCENTILE({1,2,3,4},0.1)',
    '=QUARTILE({1,2,3,4,5,6,7,8},1)', '=QUARTILE({1,2,3,4},0)', '=PERCENTRANK({1,2,3,4},2.5)', '=PERCENTRANK({1,2,3,4},4)',
    '=RANK(5,{5,5,3})', '=RANK.AVG(5,{5,5,3})', '=RANK(3,{5,5,3},1)', '=NORMSDIST(0)', '=NORMSDIST(1.96)',
    '=NORMINV(0.025,0,1)', '=NORMINV(0.999,100,15)', '=NORMDIST(0,0,1,FALSE())', '=GEOMEAN(2,8)',
    '=CORREL({1,2,3},{1,2,4})', '=SLOPE({1,2,3},{1,2,4})', '=INTERCEPT({1,2,3},{1,2,4})', '=RSQ({1,2,3},{1,2,4})',
    '=COVAR({1,2,3},{1,2,4})', '=FORECAST(5,{1,2,3},{1,2,4})', '=STDEVP(5)', '=VAR(1)', '=VARP(1,2)',
    '=AVERAGE(E1:E8)', ('=AVERAGE(G1:G8)', 'n:1.625', 'logical values inside ranges are skipped'), '=AVERAGE(F1:F2)', ('=AVERAGE(1,"2",TRUE())', 'n:1.33333333333333', 'typed text and logical values count'), '=AVERAGEA(G1:G8)',
    '=AVERAGEIF(E1:E8,">20")', '=AVERAGEIF(F1:F8,"apple*",E1:E8)', '=AVERAGEIF(E1:E8,">100")',
    '=AVERAGEIFS(E1:E8,E1:E8,">10",I1:I8,"<8")', '=CORREL(E1:E8,I1:I8)', ('=COUNT(G1:G8)', 'n:4', 'logical values inside ranges are not counted'),
    ('=COUNT(G1:G8)+0', 'n:4', 'logical values inside ranges are not counted'),
    '=COUNT(1,"2","x",TRUE())', '=COUNT(E1:E8,#N/A)', '=COUNTA(G1:G8)', '=COUNTA(F1:F8)',
    '=COUNTBLANK(F1:F8)', '=COUNTBLANK(G1:G8)', '=COUNTIF(E1:E8,">=25")', '=COUNTIF(F1:F8,"apple")',
    '=COUNTIF(F1:F8,"a*")', '=COUNTIF(F1:F8,"<>apple")', '=COUNTIF(F1:F8,"")', '=COUNTIF(G1:G8,TRUE())',
    '=COUNTIF(G1:G8,"7")', '=COUNTIF(F1:F8,"~*")', '=COUNTIF(O1:O8,">1")', '=COUNTIF(E1:E8,"<>")',
    '=COUNTIFS(E1:E8,">10",I1:I8,">4")', '=COUNTIFS(E1:E8,">10",I1:I7,">4")', '=COVAR(E1:E8,I1:I8)',
    '=COUNTIF(R1:R8,"=")', '=COUNTIF(R1:R8,"<>")', '=COUNTIF(R1:R8,"")', '=COUNTIF(R1:R8,"<>1")',
    '=COUNTIF(R1:R8,"=1")', '=COUNTIF(R1:R8,1)', '=COUNTIF(R1:R8,"~TRUE")', '=COUNTIF(R1:R8,"~T*")',
    '=SUMIF(R1:R8,"=",E1:E8)', '=SUMIF(R1:R8,"<>",E1:E8)', '=SUMIF(R1:R8,"<>1",E1:E8)',
    '=FORECAST(60,I1:I8,E1:E8)', '=GEOMEAN(E1:E8)', ('=GEOMEAN(1,-1)', 'e:#NUM!', 'the error kind of the desktop spreadsheet'), '=INTERCEPT(I1:I8,E1:E8)',
    '=LARGE(E1:E8,2)', ('=LARGE(E1:E8,9)', 'e:#NUM!', 'the error kind of the desktop spreadsheet'), '=MAX(E1:E8)', '=MAX(G1:G8)', '=MAX(F1:F2)',
    ('=MAX(-1,"-5")', 'n:-1', 'text typed as an argument is read as a number'), '=MAXA(G1:G8)', '=MAXIFS(E1:E8,F1:F8,"a*")', '=MAXIFS(E1:E8,E1:E8,">100")',
    '=MEDIAN(E1:E8)', '=MEDIAN(1,2,3)', ('=MEDIAN(F1:F2)', 'e:#NUM!', 'the error kind of the desktop spreadsheet'), '=MIN(E1:E8)', '=MIN(G1:G8)', '=MINA(G1:G8)',
    '=MINIFS(E1:E8,I1:I8,">4")', '=MODE(I1:I8)', ('=MODE(1,2,3)', 'e:#N/A', 'the error kind of the desktop spreadsheet'), '=MODE.SNGL(E1:E8,5,5)',
    '=NORMDIST(1,0,1,TRUE())', '=NORMDIST(1,0,1,FALSE())', '=NORMDIST(42,40,1.5,TRUE())',
    ('=NORMDIST(1,0,0,TRUE())', 'e:#NUM!', 'the error kind of the desktop spreadsheet'), '=NORMINV(0.908789,40,1.5)', '=NORMINV(0.5,0,1)', ('=NORMINV(1,0,1)', 'e:#NUM!', 'the error kind of the desktop spreadsheet'),
    '=NORMSDIST(-1.5)', '=NORMSDIST(4)', '=NORMSDIST(-6)', '=PERCENTILE(E1:E8,0.3)', '=PERCENTILE(E1:E8,1)',
    ('=PERCENTILE(E1:E8,1.1)', 'e:#NUM!', 'the error kind of the desktop spreadsheet'), '=PERCENTILE.INC(I1:I8,0.25)', ('=PERCENTRANK(E1:E8,20)', 'n:0.428', 'the rank is cut, not rounded, to its digits'),
    ('=PERCENTRANK(E1:E8,22)', 'n:0.485', 'the rank is cut, not rounded, to its digits'), '=PERCENTRANK(E1:E8,22,5)', ('=PERCENTRANK(E1:E8,100)', 'e:#N/A', 'the error kind of the desktop spreadsheet'), '=QUARTILE(E1:E8,1)',
    '=QUARTILE(E1:E8,3.7)', '=QUARTILE.INC(I1:I8,2)', ('=QUARTILE(E1:E8,5)', 'e:#NUM!', 'the error kind of the desktop spreadsheet'), '=RANK(30,E1:E8)',
    '=RANK(30,E1:E8,1)', ('=RANK(31,E1:E8)', 'e:#N/A', 'a number not in the list has no rank'), '=RANK.EQ(4,I1:I8)', '=RANK.AVG(4,I1:I8)', '=RANK.AVG(5,I1:I8,1)',
    '=RSQ(I1:I8,E1:E8)', '=SLOPE(I1:I8,E1:E8)', '=SLOPE(I1:I8,K1:K8)', '=SMALL(E1:E8,3)', '=SMALL(G1:G8,1)',
    '=STDEV(E1:E8)', '=STDEV(5)', '=STDEV.P(E1:E8)', '=STDEV.S(I1:I8)', '=STDEVA(G1:G8)', '=STDEVP(I1:I8)',
    '=VAR(E1:E8)', '=VAR.P(E1:E8)', '=VAR.S(1,2,3,4)', ('=VARP(G1:G8)', 'n:7.671875', 'logical values inside ranges are skipped'),
    # sums beside repeated keys, an error among them, logical keys
    '=SUMIF(I1:I8,4,Q1:Q8)', '=SUMIF(I1:I8,5,Q1:Q8)', '=SUMIF(G1:G8,TRUE(),E1:E8)', '=COUNTIF(I1:I8,5)',
    '=COUNTIF(E1:E8,25)', '=AVERAGEIF(I1:I8,4,E1:E8)', '=SUMIF(I1:I8,3,E1:E8)',
]

GROUPS["lookup"] = [
    # conditional counts over columns that exact lookups below search: the keys they index
    # come first in the pass, and the lookups find them there
    '=COUNTIF(F1:F8,"apple")', '=COUNTIF(G1:G8,TRUE())', '=COUNTIF(I1:I8,4)', '=COUNTIF(R1:R8,"x")',
    '=VLOOKUP(5,K1:L4,2,0)', '=VLOOKUP(5.0000000001,K1:L4,2,FALSE())', '=VLOOKUP("apple",F1:F8,1,FALSE())',
    '=VLOOKUP("APPLE PIE",F1:G8,2,FALSE())', '=VLOOKUP(TRUE(),G1:G8,1,FALSE())', '=HLOOKUP(3,{1,3,5;"a","b","c"},2)',
    '=HLOOKUP(4,{1,3,5;"a","b","c"},2)', '=HLOOKUP(0,{1,3,5;"a","b","c"},2)', ('=HLOOKUP(3,{1,3,5;"a","b","c"},3)', 'e:#REF!', 'the error kind of the desktop spreadsheet'),
    '=INDEX(M1:N5,5,2)', ('=INDEX(M1:N5,1,3)', 'e:#REF!', 'the error kind of the desktop spreadsheet'), '=MATCH(30,E1:E8,0)',
    '=MATCH("apple",F1:F8,0)', '=MATCH("a?ple*",F1:F8,0)', '=MATCH(25,{10,20,30},1)', '=MATCH(35,{10,20,30})',
    '=MATCH(5,{10,20,30})', '=MATCH(20,{30,20,10},-1)', '=MATCH(15,{30,20,10},-1)', '=LOOKUP("zz",M1:M5)',
    '=LOOKUP(2,{1,2,3},{"x","y","z"})', '=CHOOSE(3,1,2,"c")', '=CHOOSE(0,1)', '=COLUMNS(E1)', '=ROWS({1;2;3})',
    '=ROW(E5)', '=COLUMN(F1:H2)', '=ROW()', '=COLUMN()', '=ROWS(E1:H8)*ROW(B3)',
    '=CHOOSE(2,"a","b","c")', '=CHOOSE(4,"a","b","c")', '=CHOOSE(1.9,"a","b")', '=COLUMNS(E1:H8)',
    '=ROWS(E1:H8)', '=COLUMNS({1,2,3})', '=VLOOKUP(4,K1:L4,2)', '=VLOOKUP(4,K1:L4,2,FALSE())',
    '=VLOOKUP(0,K1:L4,2)', '=VLOOKUP(7,K1:L4,2,TRUE())', '=VLOOKUP(99,K1:L4,2)', ('=VLOOKUP(3,K1:L4,3)', 'e:#REF!', 'the error kind of the desktop spreadsheet'),
    '=VLOOKUP(3,K1:L4,0)', '=VLOOKUP("CHERRY",M1:N5,2,FALSE())', '=VLOOKUP("b*",M1:N5,2,FALSE())',
    '=VLOOKUP("c",M1:N5,2)', '=VLOOKUP("zz",M1:N5,2)', ('=VLOOKUP(#N/A,K1:L4,2)', 'e:#N/A', 'errors pass through'),
    '=HLOOKUP("x",{"a","b";1,2},2)', '=HLOOKUP("b",{"a","b";1,2},2,FALSE())', '=INDEX(K1:L4,2,2)',
    ('=INDEX(K1:L4,5,1)', 'e:#REF!', 'the error kind of the desktop spreadsheet'), '=INDEX(E1:E8,3)',
    ('=INDEX({1,2,3},2)', 'n:2', 'a single index into a one-row array picks the column'),
    ('=INDEX(K1:L4,2)', 'e:#REF!', 'the error kind of the desktop spreadsheet'), '=INDEX({1,2;3,4},2,1)', '=LOOKUP(4,K1:K4,L1:L4)',
    '=LOOKUP(0,K1:K4,L1:L4)', '=LOOKUP("d",M1:M5,N1:N5)', '=LOOKUP(6,K1:L4)', '=LOOKUP(3,{1,2,3;4,5,6})',
    '=MATCH(5,K1:K4,0)', '=MATCH(6,K1:K4)', '=MATCH(6,K1:K4,1)', '=MATCH(0,K1:K4)', '=MATCH("CH*",M1:M5,0)',
    '=MATCH("x",M1:M5,0)', '=MATCH(4,{7,5,3,1},-1)', '=MATCH(8,{7,5,3,1},-1)', '=MATCH(TRUE(),G1:G8,0)',
    '=MATCH(25,{30,10,20},1)', '=MATCH(25,{10,30,20})', '=MATCH(15,{10,30,20,5})', '=MATCH(3,{5,1,4,2},1)',
    '=MATCH(6,I1:I8)', '=LOOKUP(25,{10,30,20})', '=MATCH(F7,F1:F8,0)', '=MATCH("",F1:F8,0)',
    ('=INDEX(E1:E8,-1)', 'e:#VALUE!', 'a negative index is #VALUE!'),
    ('=INDEX(K1:L4,-1,1)', 'e:#VALUE!', 'a negative index is #VALUE!'),
    ('=XLOOKUP(5,K1:K4,L1:L4)', 's:five', 'a function the computing program lacks'),
    ('=XLOOKUP(6,K1:K4,L1:L4)', 'e:#N/A', 'a function the computing program lacks'),
    ('=XLOOKUP(6,K1:K4,L1:L4,"none")', 's:none', 'a function the computing program lacks'),
    ('=XLOOKUP(6,K1:K4,L1:L4,,-1)', 's:five', 'a function the computing program lacks'),
    ('=XLOOKUP(6,K1:K4,L1:L4,,1)', 's:seven', 'a function the computing program lacks'),
    ('=XLOOKUP("b*",M1:M5,N1:N5,,2)', 'n:2', 'a function the computing program lacks'),
    ('=XLOOKUP(4,I1:I8,E1:E8,,0,-1)', 'n:40', 'a function the computing program lacks'),
    ('=XLOOKUP("CHERRY",M1:M5,N1:N5)', 'n:3', 'a function the computing program lacks'),
    # exact matches of numbers in a column read again, with repeated keys, misses and the
    # index of a whole, a fractional, a blank and a missing row
    '=MATCH(5,I1:I8,0)+MATCH(4,I1:I8,0)*10+MATCH(9,I1:I8,0)*100', '=MATCH(6,I1:I8,0)', '=MATCH(4.5,I1:I8,0)',
    '=INDEX(E1:E8,2.7)', '=INDEX(J1:J8,7)', ('=INDEX(E1:E8,9)', 'e:#REF!', 'the error kind of the desktop spreadsheet'),
    '=INDEX(I1:I8,MATCH(8,I1:I8,0))', '=INDEX(E1:E8,8)',
    ('=MATCH("4",I1:I8,0)', 'e:#N/A', 'text matches no number'),
    # empty text is found where it is, an empty cell is not
    '=MATCH("",R1:R8,0)', ('=MATCH("1",R1:R8,0)', 'n:3', 'text matches no number'), '=MATCH(1,R1:R8,0)',
    '=MATCH("X",R1:R8,0)',
]

GROUPS["text"] = [
    '=TEXT(1234.5,"0")', '=TEXT(-0.4,"0")', '=TEXT(0.5,"0%")', '=TEXT(1.5,"0.00%")', '=TEXT(1234567.891,"#,##0.00")',
    '=TEXT(0.123,"0.000")', '=TEXT(12,"00.0")', '=TEXT(45292.25,"h:mm AM/PM")', '=TEXT(45292.0104166667,"h:mm:ss")',
    '=TEXT(45306,"dddd")', '=TEXT(45306,"ddd mmm yy")', '=TEXT(45306,"mmmm")', '=TEXT(45306,"yy/m/d")',
    '=TEXT(-1,"0.0;-0.0")', '=TEXT(1,"0;0;0;@")', '=TEXT(1E+20,"0.00E+00")', '=TEXT(0,"0.00E+00")',
    '=TEXT(123,"$#,##0")', '=TEXT(-123,"$#,##0;($#,##0)")', '=TEXT(0.75,"[h]:mm:ss")', '=TEXT(2,"General")',
    '=FIXED(0.005,2)', '=FIXED(-1234.5,0)', '=FIXED(12345678.9,2,FALSE())', ('=DOLLAR(-1234.567)', 's:($1,234.57)', 'negative amounts in brackets'), '=DOLLAR(0.125,2)',
    '=MID("abc",2,0)', '=MID("abc",2,10)', '=SEARCH("a","ABA",2)', '=SEARCH("~*","a*b")', '=FIND("c","abc",4)',
    '=SUBSTITUTE("a.b.c",".","",5)', '=REPLACE("abc",1,0,"X")', '=LEFT("",1)', '=RIGHT("abc",0)', ('=UPPER(TRUE())', 's:TRUE', 'a logical value as text is TRUE or FALSE'),
    '=LOWER(1.5)', ('=LEN(TRUE())', 'n:4', 'a logical value as text is TRUE or FALSE'), '=TRIM("a")', '=PROPER("o\'neil mcDONALD")', '=CODE("a")', '=CHAR(97)',
    '=EXACT(1,"1")', '=VALUE("-1.5E+2")', '=VALUE("(5)")', '=VALUE("1/2/2024")', '=VALUE("")',
    '=CONCATENATE(1/3)', '=TEXTJOIN(", ",TRUE(),1,"",2)', ('=NUMBERVALUE("1 234.5")', 'n:1234.5', 'spaces are ignored'), ('=NUMBERVALUE("3.5%%")', 'n:0.00035', 'percent signs accumulate'),
    '=CHAR(65)', ('=CHAR(0)', 'e:#VALUE!', 'the error kind of the desktop spreadsheet'), '=CLEAN("a"&CHAR(9)&"b")', '=CODE("A")', ('=CODE("")', 'e:#VALUE!', 'the error kind of the desktop spreadsheet'), '=CONCAT(F1:F3)',
    ('=CONCAT("a",1,TRUE())', 's:a1TRUE', 'a logical value joins as TRUE or FALSE'), '=CONCATENATE("a",1.5,F7,"b")', '=DOLLAR(1234.567)', '=DOLLAR(0.5,0)',
    '=DOLLAR(1234.567,-2)', '=EXACT("a","A")', '=EXACT("a","a")', '=FIND("b","abcb")', '=FIND("b","abcb",3)',
    '=FIND("B","abc")', ('=FIND("","abc")', 'n:1', 'empty text is found where the search starts'), '=FIXED(1234.567)', '=FIXED(1234.567,1,TRUE())', '=FIXED(-0.5,0)',
    '=FIXED(1234567,-3)', '=LEFT("abc",2)', '=LEFT("abc")', '=LEFT("abc",9)', '=LEFT("abc",-1)',
    '=LEFT(1234,2)', '=LEN("abc")', '=LEN(F7)', '=LEN(1/3)', '=LOWER("AbC")', '=MID("abcdef",2,3)',
    '=MID("abc",5,1)', '=MID("abc",0,1)', '=NUMBERVALUE("1.234,5",",",".")', '=NUMBERVALUE("12%")',
    ('=NUMBERVALUE("")', 'n:0', 'empty text is 0'), ('=NUMBERVALUE("1,2,3")', 'n:123', 'group separators before the decimal separator are ignored'), '=PROPER("hello wORLD 2nd-place")', '=REPLACE("abcdef",2,3,"X")',
    '=REPLACE("abc",9,1,"X")', '=REPT("ab",3)', '=REPT("a",0)', '=RIGHT("abc",2)', '=RIGHT("abc")',
    '=SEARCH("B","abcb")', '=SEARCH("c?b","abcab")', '=SEARCH("x","abc")', '=SEARCH("*b","aab",2)',
    '=SUBSTITUTE("aaa","a","b")', '=SUBSTITUTE("aaa","a","b",2)', '=SUBSTITUTE("abc","","x")',
    '=T("a")', '=T(1)', '=T(F7)', ('=LEFT(#N/A,1/0)', 'e:#N/A', 'the first error from the left passes on'), '=MID("abc",#VALUE!,#N/A)', '=TEXT(1234.567,"#,##0.00")', '=TEXT(0.256,"0.0%")',
    '=TEXT(12345,"0.00E+00")', '=TEXT(0.000123,"0.0E+0")', '=TEXT(-5,"0;(0)")', '=TEXT(0,"0;(0);""zero""")',
    '=TEXT(5,"""n=""0")', '=TEXT(45292,"yyyy-mm-dd")', '=TEXT(45292.75,"dddd, mmmm d, yyyy h:mm AM/PM")',
    '=TEXT(45292.5,"hh:mm:ss")', '=TEXT(1.5,"[h]:mm")', '=TEXT(45292,"mmm d")', '=TEXT(1234.5,"#")',
    '=TEXT(0.5,"#.##")', '=TEXT(3,"000")', '=TEXT(1234.56,".##0")', '=TEXT(-1,"[h]")', '=TEXT(-1.5,"[h]:mm")', '=TEXT(1234567,"#,##0,")', '=TEXT(5551234,"000-0000")',
    '=TEXT("abc","@!")', '=TEXT(-1234.5,"#,##0.0")', '=TEXT(2.5,"General")', '=TEXT(45292,"d/m/yy")',
    '=TEXTJOIN(",",TRUE(),F1:F8)', '=TEXTJOIN("-",FALSE(),"a",F7,"b")', '=TRIM("  a   b  ")', '=UPPER("abc")',
    '=VALUE("1,234.5")', '=VALUE("12%")', '=VALUE("abc")', '=VALUE("1e3")', '=VALUE(" 7 ")', '=VALUE("$12")',
    '=VALUE("2024-01-15")', '=VALUE("12:00")',
    # Counts and positions past what a 32-bit integer holds, and negative fractions.
    ('=LEFT("abc",2^31)', 's:abc', 'a count past the end takes the whole text'),
    ('=LEFT("abc",4294967297)', 's:abc', 'a count past the end takes the whole text'),
    ('=RIGHT("abc",2^31)', 's:abc', 'a count past the end takes the whole text'),
    ('=MID("abcdef",2,2^31)', 's:bcdef', 'a count past the end takes the rest'),
    ('=MID("abc",2^32+1,1)', 's:', 'a start past the end gives empty text'),
    ('=REPLACE("abc",2,2^31,"x")', 's:ax', 'a count past the end replaces the rest'),
    ('=LEFT("",-0.2)', 'e:#VALUE!', 'a negative count is #VALUE!, fraction or not'),
    ('=MID("abc",2,-0.2)', 'e:#VALUE!', 'a negative count is #VALUE!, fraction or not'),
    ('=REPT("",2^31)', 's:', 'empty text repeated is empty'),
    ('=REPT("a",2^31)', 'e:#VALUE!', 'a result over 32,767 characters is #VALUE!'),
    ('=SUBSTITUTE("aaa","a","b",2^32+1)', 's:aaa', 'there is no such occurrence'),
    ('=CHAR(2^32+65)', 'e:#VALUE!', 'no character has that code'),
]

GROUPS["dates"] = [
    '=DATE(2024,2,29)', '=DATE(2023,2,29)', '=DATE(2024,0,1)', '=DATE(2024,-13,1)', '=DATE(1999,12,32)',
    '=EDATE(45322,-1)', '=EDATE(45322,-13)', '=EOMONTH(45657,1)', '=EOMONTH(45292,-1)', '=EOMONTH(45351,12)',
    '=DATEDIF(45322,45351,"MD")', '=DATEDIF(45351,45716,"Y")', '=DATEDIF(45351,45716,"YD")', '=DATEDIF(45000,45000,"D")',
    '=DAYS360(45351,45381)', '=DAYS360(45351,45381,TRUE())', '=DAYS360(45381,45351)', '=DAYS360(45657,45688)',
    '=YEARFRAC(45351,45716,0)', '=YEARFRAC(45351,45716,1)', '=YEARFRAC(45716,45351,3)', '=YEARFRAC(45322,45351,4)',
    '=YEARFRAC(44985,45351,1)', '=YEARFRAC(45292,45293,1)',
    '=WEEKNUM(45292,2)', '=WEEKNUM(45297,1)', '=WEEKNUM(45298,1)', '=WEEKNUM(45298,11)', '=WEEKNUM(45298,16)',
    '=WEEKNUM(45298,17)', '=ISOWEEKNUM(44927)', '=ISOWEEKNUM(45658)', '=WEEKDAY(45298,16)', '=WEEKDAY(60)',
    '=NETWORKDAYS(45297,45298)', '=NETWORKDAYS(45292,45292)', '=WORKDAY(45297,1)', '=WORKDAY(45297,-1)',
    '=WORKDAY(45292,0)', '=WORKDAY(45292,20,P1:P4)', '=TIME(1,90,90)', '=TIME(24,0,0)', '=TIMEVALUE("23:59:59")',
    '=TIMEVALUE("12:00 AM")', '=DATEVALUE("Feb 29, 2024")', ('=DATEVALUE("2024/3/5")', 'n:45356', 'a year-first date with slashes is read'), '=DATEVALUE("5-Mar-24")',
    '=HOUR("6:30 PM")', '=MINUTE(TIME(0,0,59))', '=SECOND(45292.5)', '=DAY(2958465)', '=YEAR(2958465)',
    '=DATE(2024,1,15)', '=DATE(2024,14,1)', '=DATE(2024,3,0)', '=DATE(2024,1,-1)', ('=DATE(100,1,1)', 'n:36526', 'years below 1900 count from 1900'),
    ('=DATE(1900,1,1)', 'n:1', 'serials before 1 March 1900 count 29 February 1900'),
    ('=DATE(1900,2,29)', 'n:60', 'serials before 1 March 1900 count 29 February 1900'),
    '=DATE(1900,3,1)', ('=DATE(-1,1,1)', 'e:#NUM!', 'the error kind of the desktop spreadsheet'), ('=DATE(10000,1,1)', 'e:#NUM!', 'the error kind of the desktop spreadsheet'), '=DATEDIF(H5,H8,"D")', '=DATEDIF(45000,45400,"M")',
    '=DATEDIF(40000,45400,"Y")', '=DATEDIF(45000,45400,"MD")', '=DATEDIF(45000,45400,"YM")',
    '=DATEDIF(44000,45400,"YD")', ('=DATEDIF(45400,45000,"D")', 'e:#NUM!', 'the error kind of the desktop spreadsheet'), ('=DATEDIF(45000,45400,"X")', 'e:#NUM!', 'the error kind of the desktop spreadsheet'),
    '=DATEVALUE("2024-01-15")', '=DATEVALUE("1/15/2024")', '=DATEVALUE("15-Jan-2024")',
    '=DATEVALUE("January 15, 2024")', '=DATEVALUE("x")', '=DATEVALUE("2024-02-30")',
    ('=DAY(0)', 'n:0', 'day 0 is 0 January 1900'),
    ('=MONTH(0)', 'n:1', 'day 0 is 0 January 1900'),
    ('=YEAR(0)', 'n:1900', 'day 0 is 0 January 1900'),
    ('=DAY(60)', 'n:29', 'serial 60 is 29 February 1900'),
    '=DAY(61)', '=DAY(45351)', '=MONTH(45351)', '=YEAR(45351)', ('=DAY(-1)', 'e:#NUM!', 'the error kind of the desktop spreadsheet'), '=DAY("2024-03-05")',
    '=DAYS(45400,45000)', '=DAYS("2024-03-01","2024-02-01")', '=DAYS360(45322,45351)',
    '=DAYS360(45322,45351,TRUE())', '=DAYS360(45291,45322)', '=EDATE(45322,1)', '=EDATE(45322,-11)',
    '=EDATE(45351,12)', '=EOMONTH(45307,0)', '=EOMONTH(45307,1)', '=EOMONTH(45307,-2)', '=HOUR(0.75)',
    '=HOUR(45292.99)', '=MINUTE(TIME(12,14,59))', '=SECOND(TIME(1,2,3))', '=ISOWEEKNUM(45292)',
    '=ISOWEEKNUM(45657)', '=ISOWEEKNUM(45291)', '=NETWORKDAYS(45292,45322)', '=NETWORKDAYS(45292,45322,P1:P4)',
    '=NETWORKDAYS(45322,45292)', '=NOW()>45000', '=TODAY()>45000', '=TODAY()=INT(NOW())',
    '=TIME(12,30,0)', '=TIME(25,0,0)', ('=TIME(0,-1,0)', 'e:#NUM!', 'the error kind of the desktop spreadsheet'), '=TIMEVALUE("12:30")', '=TIMEVALUE("1:30 PM")',
    '=TIMEVALUE("2024-01-15 06:00")', '=TIMEVALUE("x")', '=WEEKDAY(45292)', '=WEEKDAY(45292,2)',
    '=WEEKDAY(45292,3)', '=WEEKDAY(45292,11)', ('=WEEKDAY(45292,9)', 'e:#NUM!', 'the error kind of the desktop spreadsheet'), '=WEEKDAY(1)', '=WEEKNUM(45292)',
    '=WEEKNUM(45300,2)',
    ('=WEEKNUM(45656)', 'n:53', '30 December 2024 is in week 53 of 2024'),
    '=WEEKNUM(45656,21)', '=WORKDAY(45292,10)', '=WORKDAY(45292,-3)', '=WORKDAY(45292,5,P1:P4)',
    '=YEARFRAC(45292,45657)', '=YEARFRAC(45292,45657,1)', '=YEARFRAC(45292,45657,2)',
    '=YEARFRAC(45292,45657,3)', '=YEARFRAC(45292,45657,4)', '=YEARFRAC(45322,45351,0)', '=YEARFRAC(44000,45657,1)',
    ('=YEARFRAC(1,2,5)', 'e:#NUM!', 'the error kind of the desktop spreadsheet'), '=INT(INT(NOW())=TODAY())',
    '=T("d")&INT(2.5)&YEAR(DATE(2024,1,1))', '=INT(TODAY()-DATE(2000,1,1))>9000', '=DATE(2024,#VALUE!,1)', '=YEAR(#N/A)',
    '=WORKDAY(45292,1000)', '=WORKDAY(45292,-1000)', '=WORKDAY(45292,12,P1:P4)',
    ('=WORKDAY(1,2^31)', 'e:#NUM!', 'the date would lie past the last one'),
    ('=EDATE(1,2^31)', 'e:#NUM!', 'the date would lie past the last one'),
    ('=EOMONTH(1,2^31)', 'e:#NUM!', 'the date would lie past the last one'),
    ('=EDATE(45322,FALSE())', 'e:#VALUE!', 'a logical value is no number here'),
    '=YEARFRAC("x",45000,9)', '=YEARFRAC(45000,"x",9)', '=YEARFRAC(45000,45100,#N/A)',
    ('=YEARFRAC(-1,45000,9)', 'e:#VALUE!', 'a number that is no date is #VALUE!, before the basis'),
    ('=YEARFRAC(45000,45100,9)', 'e:#NUM!', 'the error kind of the desktop spreadsheet'),
    ('=YEARFRAC(-1,45000,1)', 'e:#VALUE!', 'a number that is no date is #VALUE!'),
]

GROUPS["finance"] = [
    '=PMT(0.05,10,-1000,100,1)', '=PV(0.05,10,-100,1000,1)', '=FV(-0.05,10,100)', '=NPER(0.05,-100,1000,0,1)',
    '=NPER(0,-100,1000,100)', '=IPMT(0.05,2,10,-1000,0,1)', '=PPMT(0.05,1,10,-1000,0,1)', '=PPMT(0,3,10,1000)',
    '=RATE(60,-500,25000)', ('=RATE(10,-100,-1000)', 'e:#NUM!', 'no rate solves it: #NUM!'), '=RATE(12,0,-1000,1200)', '=IRR({-100,50,60})',
    ('=IRR({0,0,0})', 'e:#NUM!', 'values without both signs have no rate'), '=NPV(0.05,100)', '=DB(10000,1000,5,1)', '=DB(10000,1000,5,5)',
    '=DB(10000,0,5,1)', '=DDB(10000,1000,5,5,3)', '=DDB(10000,1000,5,1,0.5)', '=SYD(10000,1000,5,3)',
    '=SLN(10000,1000,5)', '=EFFECT(0.1,12)', '=NOMINAL(0.1,12)', '=MIRR({-1000,300,400,500},0.1,0.1)',
    '=XNPV(0.1,{-1000,600,600},{45292,45473,45657})', '=XIRR({-1000,600,600},{45292,45473,45657})',
    '=DB(1000000,100000,6,1,7)', '=DB(1000000,100000,6,2,7)', '=DB(1000000,100000,6,7,7)', ('=DB(1000,100,5,6)', 'e:#NUM!', 'the error kind of the desktop spreadsheet'),
    '=DDB(2400,300,10,1)', '=DDB(2400,300,10,10)', '=DDB(2400,300,10,2,1.5)', '=EFFECT(0.0525,4)',
    ('=EFFECT(0.05,0)', 'e:#NUM!', 'the error kind of the desktop spreadsheet'), '=NOMINAL(0.053543,4)', '=FV(0.06/12,10,-200,-500,1)', '=FV(0,12,-100)',
    '=FV(0.005,12,-100)', '=IPMT(0.1/12,1,36,8000)', '=IPMT(0.1/12,3,36,8000,0,1)', '=IPMT(0.1,1,3,8000,0,1)',
    ('=IPMT(0.1,4,3,8000)', 'e:#NUM!', 'the error kind of the desktop spreadsheet'), '=PPMT(0.1/12,1,24,2000)', '=PPMT(0.08,10,10,200000)', '=PMT(0.08/12,10,10000)',
    '=PMT(0,10,1000)', '=PMT(0.08/12,10,10000,0,1)', '=PV(0.08/12,240,500)', '=PV(0,10,-100)',
    '=NPER(0.01,-100,1000)', '=NPER(0,-100,1000)', '=NPER(0.01,100,1000)', '=NPV(0.1,-10000,3000,4200,6800)',
    '=NPV(0.1,J1:J8)', '=IRR(J1:J5)', '=IRR({-100,110})', '=IRR(J1:J5,-0.5)',
    ('=IRR({100,200})', 'e:#NUM!', 'values without both signs have no rate'),
    '=IRR({-70000,12000,15000,18000,21000})', ('=IRR(J1:J5,4)', 'e:#NUM!', 'no rate found from the guess: #NUM!'), '=IRR({-840,1470,1344},4)', '=IRR({-285,275,1035},4)', '=IRR({-389,204,1372,1307,1215,907},4)', '=MIRR(J1:J5,0.1,0.12)', ('=MIRR({1,2},0.1,0.1)', 'e:#DIV/0!', 'the error kind of the desktop spreadsheet'),
    '=RATE(48,-200,8000)', '=RATE(12,-100,1000,0,1)', ('=RATE(10,100,1000)', 'e:#NUM!', 'the error kind of the desktop spreadsheet'), '=SLN(30000,7500,10)', '=SLN(1,1,0)',
    '=SYD(30000,7500,10,1)', '=SYD(30000,7500,10,10)', '=XNPV(0.09,J1:J4,P1:P4)', '=XIRR(J1:J4,P1:P4)',
    '=XIRR({-100,110},{45292,45658})', ('=XIRR({100,110},{45292,45658})', 'e:#NUM!', 'the error kind of the desktop spreadsheet'),
    # Rates near 0, where (1 + rate)^n - 1 cancels.
    ('=PV(-1e-8,8,-200)', 'n:1600.0000720000023', 'the exact value: the computing program loses digits at a rate near 0'),
    ('=FV(1e-9,10,-100)', 'n:1000.0000045', 'the exact value: the computing program loses digits at a rate near 0'),
    ('=PMT(-1e-9,12,1000)', 'n:-83.33333279166666', 'the exact value: the computing program loses digits at a rate near 0'),
    ('=NPER(1e-9,-100,1000)', 'n:10.000000055000001', 'the exact value: the computing program loses digits at a rate near 0'),
    ('=IPMT(1e-9,3,10,1000)', 'n:-8.000000008e-07', 'the exact value: the computing program loses digits at a rate near 0'),
    '=PPMT(1e-9,3,10,1000)',
    ('=RATE(10,-100,999.9999)', 'n:1.8181819499568335e-08', 'the exact value: the computing program loses digits at a rate near 0'),
]

GROUPS["distributions"] = [
    '=GAMMA(5)', '=GAMMA(0.5)', '=GAMMA(-1.5)', ('=GAMMA(0)', 'e:#NUM!', 'the error kind of the desktop spreadsheet'), '=GAMMA(171.5)', '=GAMMALN(10)', '=GAMMALN.PRECISE(0.5)',
    '=GAMMA.DIST(2,3,2,TRUE())', '=GAMMA.DIST(2,3,2,FALSE())', '=GAMMADIST(10,9,2,TRUE())', '=GAMMA.INV(0.068094,9,2)',
    '=GAMMAINV(0.5,2,1)', '=CHISQ.DIST(0.5,1,TRUE())', '=CHISQ.DIST(2,3,FALSE())', '=CHISQ.DIST.RT(18.307,10)',
    '=CHIDIST(3,4)', '=CHISQ.INV(0.93,1)', '=CHISQ.INV.RT(0.05,10)', '=CHIINV(0.5,2)',
    '=T.DIST(60,1,TRUE())', '=T.DIST(8,3,FALSE())', '=T.DIST(-1.5,4,TRUE())', '=T.DIST.2T(1.96,60)', '=T.DIST.RT(1.96,60)',
    '=TDIST(1.96,60,2)', '=TDIST(1.96,60,1)', '=T.INV(0.75,2)', '=T.INV(0.1,5)', '=T.INV.2T(0.05,60)', '=TINV(0.05,10)',
    '=F.DIST(15.2069,6,4,TRUE())', '=F.DIST(15.2069,6,4,FALSE())', '=F.DIST.RT(15.2069,6,4)', '=FDIST(2,3,10)',
    '=F.INV(0.01,6,4)', '=F.INV.RT(0.01,6,4)', '=FINV(0.05,3,10)',
    '=BETA.DIST(2,8,10,TRUE(),1,3)', '=BETA.DIST(2,8,10,FALSE(),1,3)', '=BETADIST(0.3,2,3)', '=BETA.INV(0.685470581,8,10,1,3)',
    '=BETAINV(0.5,2,3)', '=BINOM.DIST(6,10,0.5,FALSE())', '=BINOM.DIST(6,10,0.5,TRUE())', '=BINOMDIST(0,5,0.2,TRUE())',
    '=POISSON.DIST(2,5,FALSE())', '=POISSON.DIST(2,5,TRUE())', '=POISSON(0,0.5,TRUE())', '=EXPON.DIST(0.2,10,TRUE())',
    '=EXPON.DIST(0.2,10,FALSE())', '=EXPONDIST(1,2,TRUE())', '=WEIBULL.DIST(105,20,100,TRUE())', '=WEIBULL.DIST(105,20,100,FALSE())',
    '=WEIBULL(2,1.5,3,TRUE())', '=LOGNORM.DIST(4,3.5,1.2,TRUE())', '=LOGNORM.DIST(4,3.5,1.2,FALSE())', '=LOGNORMDIST(4,3.5,1.2)',
    '=LOGNORM.INV(0.039084,3.5,1.2)', '=LOGINV(0.5,0,1)', '=NORM.S.DIST(1.333333,TRUE())', '=NORM.S.DIST(1.333333,FALSE())',
    '=NORM.S.INV(0.908789)', '=NORMSINV(0.025)', '=NORM.DIST(42,40,1.5,TRUE())', '=NORM.INV(0.908789,40,1.5)',
    ('=GAMMA.DIST(-1,3,2,TRUE())', 'e:#NUM!', 'the error kind of the desktop spreadsheet'), ('=CHISQ.DIST(1,0,TRUE())', 'e:#NUM!', 'the error kind of the desktop spreadsheet'), ('=T.DIST.2T(-1,5)', 'e:#NUM!', 'the error kind of the desktop spreadsheet'), ('=BINOM.DIST(11,10,0.5,TRUE())', 'e:#NUM!', 'the error kind of the desktop spreadsheet'),
    ('=POISSON.DIST(-1,5,TRUE())', 'e:#NUM!', 'the error kind of the desktop spreadsheet'), ('=NORM.S.INV(1)', 'e:#NUM!', 'the error kind of the desktop spreadsheet'), ('=BETA.INV(1.5,8,10)', 'e:#NUM!', 'the error kind of the desktop spreadsheet'), ('=F.DIST(-1,6,4,TRUE())', 'e:#NUM!', 'the error kind of the desktop spreadsheet'),
    '=BINOM.INV(6,0.5,0.75)', '=BINOM.INV(10,0.3,0.5)', '=CRITBINOM(100,0.1,0.95)', '=BINOM.INV(5,0.5,0.03125)',
    ('=BINOM.INV(5,0.5,1)', 'e:#NUM!', 'the error kind of the desktop spreadsheet'),
    '=T.DIST("x",2,TRUE())', ('=EXPON.DIST(1,0,TRUE())', 'e:#NUM!', 'the error kind of the desktop spreadsheet'),
]

GROUPS["regression"] = [
    '=INDEX(LINEST(I1:I8,E1:E8),1)', '=INDEX(LINEST(I1:I8,E1:E8),2)', '=INDEX(LINEST(I1:I8),1)',
    '=INDEX(LINEST(I1:I8,E1:E8,FALSE()),1)', '=INDEX(LINEST(I1:I8,E1:E8,FALSE()),2)',
    '=INDEX(LINEST(I1:I8,E1:E8,TRUE(),TRUE()),2,1)', '=INDEX(LINEST(I1:I8,E1:E8,TRUE(),TRUE()),2,2)',
    '=INDEX(LINEST(I1:I8,E1:E8,TRUE(),TRUE()),3,1)', '=INDEX(LINEST(I1:I8,E1:E8,TRUE(),TRUE()),3,2)',
    '=INDEX(LINEST(I1:I8,E1:E8,TRUE(),TRUE()),4,1)', '=INDEX(LINEST(I1:I8,E1:E8,TRUE(),TRUE()),4,2)',
    '=INDEX(LINEST(I1:I8,E1:E8,TRUE(),TRUE()),5,1)', '=INDEX(LINEST(I1:I8,E1:E8,TRUE(),TRUE()),5,2)',
    '=INDEX(LINEST(E1:E8,{1,2;2,1;3,5;4,2;5,7;6,3;7,8;8,4}),1)', '=INDEX(LINEST(E1:E8,{1,2;2,1;3,5;4,2;5,7;6,3;7,8;8,4}),2)', '=INDEX(LINEST(E1:E8,{1,2;2,1;3,5;4,2;5,7;6,3;7,8;8,4}),3)',
    '=INDEX(LINEST(E1:E8,{1,2;2,1;3,5;4,2;5,7;6,3;7,8;8,4},TRUE(),TRUE()),3,1)', '=INDEX(LINEST(E1:E8,{1,2;2,1;3,5;4,2;5,7;6,3;7,8;8,4},TRUE(),TRUE()),2,3)',
    '=INDEX(LINEST(E1:E8,{1,2;2,1;3,5;4,2;5,7;6,3;7,8;8,4},TRUE(),TRUE()),3,3)', '=INDEX(LINEST({1,2,4},{1,2,3}),1)',
    '=INDEX(LINEST(I1:I8,E1:E8,FALSE(),TRUE()),2,2)', '=INDEX(LINEST(F1:F8,E1:E8),1)',
    # a quadratic far from the origin, whose normal equations lose most digits
    '=INDEX(LINEST(I1:I8,{100010,10002000100;100020,10004000400;100030,10006000900;100040,10008001600;100050,10010002500;100005,10001000025;100015,10003000225;100025,10005000625}),1)', '=INDEX(LINEST(I1:I8,{100010,10002000100;100020,10004000400;100030,10006000900;100040,10008001600;100050,10010002500;100005,10001000025;100015,10003000225;100025,10005000625}),3)',
    '=INDEX(LINEST(I1:I8,{100010,10002000100;100020,10004000400;100030,10006000900;100040,10008001600;100050,10010002500;100005,10001000025;100015,10003000225;100025,10005000625},TRUE(),TRUE()),2,1)',
    '=SUM(TREND(I1:I8,E1:E8))', '=INDEX(TREND(I1:I8,E1:E8),3)', '=INDEX(TREND(I1:I8,E1:E8,{60;70}),2)',
    '=INDEX(TREND(I1:I8,,{9;10}),1)', '=INDEX(TREND(I1:I8,E1:E8,{60;70},FALSE()),1)',
    '=INDEX(TREND(E1:E8,{1,2;2,1;3,5;4,2;5,7;6,3;7,8;8,4},{3,3;9,6}),2)', '=INDEX(TREND({1,2,4},{1,2,3},{4,5}),1,2)',
    ('=TREND(I1:I8,E1:E7)', 'e:#REF!', 'the error kind of the desktop spreadsheet'),
]

GROUPS["complex"] = [
    '=COMPLEX(3,4)', '=COMPLEX(3,4,"j")', '=COMPLEX(0,1)', '=COMPLEX(0,-1)', '=COMPLEX(1.5,0)', '=COMPLEX(0,0)',
    '=COMPLEX(1,1,"k")', '=COMPLEX(-2,-0.5)', '=IMREAL("6-9i")', '=IMAGINARY("3+4i")', '=IMAGINARY("-i")',
    '=IMAGINARY("4")', '=IMAGINARY("j")', '=IMREAL("1e2+3i")', ('=IMREAL("x")', 'e:#NUM!', 'the error kind of the desktop spreadsheet'), '=IMABS("5+12i")', '=IMARGUMENT("3+4i")',
    '=IMARGUMENT("-1")', ('=IMARGUMENT(0)', 'e:#DIV/0!', 'the error kind of the desktop spreadsheet'), '=IMCONJUGATE("3+4i")', '=IMCONJUGATE("-2j")', '=IMSUM("3+4i","5-3i")',
    '=IMSUM("1+i",2,"3i")', ('=IMSUM("i","j")', 'e:#VALUE!', 'i and j do not mix'), '=IMSUB("13+4j","5+3j")', '=IMPRODUCT("3+4i","5-3i")',
    '=IMPRODUCT("1+2i",30)', '=IMDIV("-238+240i","10+24i")', ('=IMDIV("1+i",0)', 'e:#NUM!', 'the error kind of the desktop spreadsheet'), '=IMPOWER("2+3i",3)',
    ('=IMPOWER("i",2)', 's:-1+1.22464679914735E-16i', 'exponents are written with E'), '=IMSQRT("1+i")', '=IMSQRT("-4")', '=IMEXP("1+i")', '=IMLN("3+4i")', ('=IMLN(0)', 'e:#NUM!', 'the error kind of the desktop spreadsheet'),
    '=IMSIN("4+3i")', '=IMCOS("1+i")', '=IMLOG10("3+4i")', '=IMLOG2("3+4i")', '=IMSIN(0)',
    ('=IMLOG10(0)', 'e:#NUM!', 'the error kind of the desktop spreadsheet'),
    ('=IMABS(TRUE())', 'e:#VALUE!', 'a logical value is no complex number'), '=IMSUM(K1:K4)', '=IMPRODUCT(K1:K3)',
]

GROUPS["conversions"] = [
    '=BIN2DEC(1100100)', '=BIN2DEC("1111111111")', ('=BIN2DEC("2")', 'e:#NUM!', 'the error kind of the desktop spreadsheet'), ('=BIN2DEC("11111111111")', 'e:#NUM!', 'the error kind of the desktop spreadsheet'), '=BIN2HEX(11111011,4)',
    '=BIN2HEX("1110")', '=BIN2HEX("1111111111")', '=BIN2OCT(1001,3)', '=BIN2OCT("1100100")', '=BIN2OCT("1111111111")',
    '=DEC2BIN(9,4)', '=DEC2BIN(-100)', ('=DEC2BIN(512)', 'e:#NUM!', 'the error kind of the desktop spreadsheet'), ('=DEC2BIN(9,2)', 'e:#NUM!', 'the error kind of the desktop spreadsheet'), '=DEC2BIN(9.9)', '=DEC2HEX(100,4)', '=DEC2HEX(-54)',
    '=DEC2HEX(28)', ('=DEC2HEX(64,1)', 'e:#NUM!', 'the error kind of the desktop spreadsheet'), '=DEC2OCT(58,3)', '=DEC2OCT(-100)', '=HEX2BIN("F",8)', '=HEX2BIN("B7")',
    '=HEX2BIN("FFFFFFFE00")', ('=HEX2BIN("200")', 'e:#NUM!', 'the error kind of the desktop spreadsheet'), '=HEX2DEC("A5")', '=HEX2DEC("FFFFFFFF5B")', '=HEX2DEC("3DA408B9")',
    ('=HEX2DEC("g")', 'e:#NUM!', 'the error kind of the desktop spreadsheet'), '=HEX2OCT("F",3)', '=HEX2OCT("3B4E")', '=HEX2OCT("FFFFFFFF00")', '=OCT2BIN(3,3)', '=OCT2BIN(7777777000)',
    '=OCT2DEC(54)', '=OCT2DEC(7777777533)', ('=OCT2DEC(8)', 'e:#NUM!', 'the error kind of the desktop spreadsheet'), '=OCT2HEX(100,4)', '=OCT2HEX(7777777533)', ('=DEC2BIN(3,0)', 'e:#NUM!', 'the error kind of the desktop spreadsheet'),
    ('=DEC2BIN(3,11)', 'e:#NUM!', 'the error kind of the desktop spreadsheet'), '=HEX2DEC("a5")', '=HEX2DEC("")', '=DEC2HEX(-549755813888)', ('=DEC2HEX(549755813888)', 'e:#NUM!', 'the error kind of the desktop spreadsheet'),
    '=ADDRESS(2,3)', '=ADDRESS(2,3,2)', '=ADDRESS(2,3,3)', '=ADDRESS(2,3,4)', '=ADDRESS(2,3,1,FALSE())', '=ADDRESS(2,3,2,FALSE())',
    '=ADDRESS(2,3,4,FALSE())', '=ADDRESS(1,16384)', '=ADDRESS(1,27,4)', '=ADDRESS(0,1)', '=ADDRESS(1,1,5)', '=ADDRESS(1,16385)',
    ('=ADDRESS(2,3,1,TRUE(),"Data")', 's:Data!$C$2', 'the desktop spreadsheet joins the sheet with !'),
    ('=ADDRESS(2,3,1,TRUE(),"My Data")', "s:'My Data'!$C$2", 'the desktop spreadsheet joins the sheet with !'),
    '=SUM(MMULT({1,2;3,4},{5;6}))', '=INDEX(MMULT({1,2;3,4},{5,6;7,8}),2,1)', '=MMULT({1,2},{3;4})', '=MMULT({1,2},{3,4})',
    '=INDEX(TRANSPOSE(E1:E3),1,2)', '=SUM(TRANSPOSE(E1:E8))', '=COLUMNS(TRANSPOSE(E1:E8))', '=INDEX(TRANSPOSE(K1:L4),2,3)',
    Array('{=TRANSPOSE(E1:G1)}', 3), Array('{=MMULT({1,2;3,4},{5;6})}', 2),
    '=COMBIN(1030,515)', '=COMBIN(1024,512)', '=COMBIN(1029,1000)', '=SWITCH(F7,0,"zero","other")', '=SWITCH(0,F7,"blank","other")',
    '=MATCH(F7,E1:E8,0)', '=LOOKUP(F7,E1:E8)', '=TIMEVALUE("1.25")', '=TIMEVALUE("0.5")',
    '=VDB(2400,300,3650,0,1)', '=VDB(2400,300,120,0,1)', '=VDB(2400,300,10,0,1)', '=VDB(2400,300,120,6,18)',
    '=VDB(2400,300,120,6,18,1.5)', '=VDB(2400,300,10,0,0.875,1.5)', '=VDB(2400,300,10,2.5,7.25)',
    '=VDB(2400,300,10,2.5,7.25,2,TRUE())', '=VDB(10000,1000,5,0,5)', '=VDB(10000,1000,5,3,5,1)',
    ('=VDB(2400,300,10,5,3)', 'e:#NUM!', 'the error kind of the desktop spreadsheet'),
    '=SUM(FREQUENCY(I1:I8,{3,5}))', '=INDEX(FREQUENCY(I1:I8,{3,5}),2,1)', '=INDEX(FREQUENCY(I1:I8,{5,3}),1,1)',
    '=INDEX(FREQUENCY(E1:E8,K1:K4),5,1)', '=ROWS(FREQUENCY(E1:E8,K1:K4))', Array('{=FREQUENCY(I1:I8,{2;4;8})}', 4),
    '=SUMPRODUCT(SUMIF(E1:E8,{10,20}))', '=SUM(SUMIF(F1:F8,{"apple","date"},E1:E8))',
    '=SUMPRODUCT(COUNTIF(F1:F8,{"apple","date"}))', Array('{=SUM(SUMIF(I1:I8,I1:I3,E1:E8))}'),
    Array('{=SUM(COUNTIF(E1:E8,E1:E3))}'),
]

# A range where one value is taken: the cell of the range in the formula's own row (a range of
# one column) or column (of one row), else #VALUE!. Cases 1..8 sit beside the data rows.
GROUPS["ranges"] = [
    '=E1:E8', '=E1:E8*2', '=ABS(J1:J8)', '=IF(TRUE(),F1:F8)', '=E1:F1', '=E1:E8&"x"', '=SUM(E1:E8)+E1:E8',
    '=E1:E5', '=E1:E8', '=INDEX(E1:F8,0,1)', '=LEN(F1:F8)', '=ISERROR(E1:E8)', '=E1:E8=10', '=SUM(E1:E8*1)',
    '=VLOOKUP(20,E1:E8,1,FALSE())', '={1,2,3}', '=ROW(E3:E8)', '=COUNTA(E1:E8*2)', '=E1:E8+{1,2}',
    '=IFERROR(E1:E8,"none")', '=CHOOSE(2,E1:E8,F1:F8)',
    # running totals, counts and means from one first row, longer and shorter ranges read in
    # turn, around an error and over text, logical values and blanks
    '=SUM($Q$1:Q5)', '=SUM($Q$1:Q2)', '=COUNT($Q$1:Q5)', '=AVERAGE($Q$1:Q2)', '=AVERAGE($Q$1:Q4)',
    '=COUNT($Q$1:Q2)', '=SUM($Q$4:Q5)', '=SUM($Q$4:Q8)', '=AVERAGE($Q$6:Q8)', '=SUM(Q1:Q2,$Q$1:Q2)',
    ('=SUM($G$1:G8)', 'n:6.5', 'a logical value in a range is no number'),
    ('=COUNT($G$1:G3)', 'n:1', 'a logical value in a range is no number'),
    ('=AVERAGE($G$1:G5)', 'n:4.25', 'a logical value in a range is no number'),
    ('=SUM($G$1:G2)', 'n:5', 'a logical value in a range is no number'),
    # counts of a whole column before and after sums of it in the same calculation, and sums
    # of a window after a sum of the whole column around an error
    '=COUNT(Q1:Q8)+COUNT(R1:R8)*10', '=SUM(R1:R8)+COUNT(R1:R8)', '=COUNT(R1:R8)', '=SUM(Q1:Q8)',
    '=SUM(Q4:Q5)', '=SUM(Q2:Q4)',
]

# Arrays: operators and functions of single values element by element where an array is taken
# (inside SUMPRODUCT, MATCH, LOOKUP and the pair statistics, and in array formulas), a single
# row or column stretched across, #N/A past the end of the smaller array.
GROUPS["arrays"] = [
    # the idioms
    '=SUMPRODUCT((F1:F8="apple")*E1:E8)', '=SUMPRODUCT((I1:I8>4)*E1:E8)', '=SUMPRODUCT(--(I1:I8=4))',
    '=SUMPRODUCT((E1:E8>20)*(I1:I8<8),E1:E8)', '=SUMPRODUCT(E1:E8*I1:I8)', '=SUMPRODUCT(E1:E8,I1:I8*2)',
    '=SUMPRODUCT(LEN(F1:F8))', ('=SUMPRODUCT(ISNUMBER(G1:G8)*1)', 'n:4', 'a logical value is no number'), '=SUMPRODUCT(ABS(J1:J5))',
    '=SUMPRODUCT(ROUND(E1:E8/3,1))', '=SUMPRODUCT((LEFT(F1:F8,1)="a")*E1:E8)', '=SUMPRODUCT(E1:E8^2)',
    Array('{=SUM(IF(I1:I8>4,E1:E8))}'), Array('{=MAX(IF(F1:F8="apple",E1:E8))}'), Array('{=MIN(IF(I1:I8=4,E1:E8))}'),
    Array('{=SUM(E1:E8*I1:I8)}'), Array('{=AVERAGE(IF(E1:E8>15,E1:E8))}'), Array('{=COUNT(IF(I1:I8>4,E1:E8))}'),
    Array('{=AND(E1:E8>0)}'), Array('{=OR(E1:E8>45)}'), Array('{=TEXTJOIN(",",TRUE(),IF(I1:I8>4,F1:F8&"",""))}'),
    Array('{=SUM(IF(F1:F8="apple",1,0))}'), Array('{=MAX(IF(ISNUMBER(G1:G8),G1:G8))}'),
    Array('{=SUM(LEN(M1:M5))}'), Array('{=CONCAT(IF(N1:N5>3,M1:M5,""))}'),
    # lookups on computed arrays
    Array('{=INDEX(E1:E8,MATCH(1,(I1:I8=5)*(E1:E8>40),0))}'), '=INDEX(E1:E8,MATCH(1,(I1:I8=5)*(E1:E8>40),0))',
    '=MATCH(TRUE(),E1:E8>25,0)', '=LOOKUP(2,1/(I1:I8=4),E1:E8)', '=VLOOKUP(30,E1:E8*1,1,FALSE())',
    '=MATCH(8,I1:I8*2,0)', '=CORREL(E1:E8*2,I1:I8)', '=SLOPE(E1:E8+1,I1:I8)',
    # INDEX with row or column 0, ROW and COLUMN of a range
    '=SUMPRODUCT(INDEX(E1:I8,0,1))', '=SUM(INDEX(E1:I8,0,5))', '=SUM(INDEX(E1:I8,2,0))',
    '=SUMPRODUCT(ROW(E1:E8)*E1:E8)', '=SUM(ROW(E2:E4))', '=SUMPRODUCT(COLUMN(E1:G1)*1)',
    '=SUMPRODUCT((ROW(E1:E8)>4)*E1:E8)', Array('{=SUM(ROW(E1:E8)*I1:I8)}'),
    Array('{=SUM(INDEX(E1:I8,0,1)*INDEX(E1:I8,0,5))}'),
    Array('{=SUM(INDEX(E1:I8,2,0)*1)}'), Array('{=SUM(INDEX(E1:I8,3,0))}'), Array('{=INDEX(E1:I8,3,0)}'),
    Array('{=SUM(INDEX(E1:E8*I1:I8,0,1))}', 1, 'n:1040', 'row 0 takes the whole column of a computed array'),
    Array('{=SUM(INDEX(E1:I8,2,))}'), Array('{=SUM(INDEX(H1:I8,4,0))}'), Array('{=MAX(INDEX(E1:I8,0,5)*INDEX(E1:I8,0,1))}'),
    # a single row or column stretched across
    '=SUMPRODUCT(E1:E4*{1,2})', '=SUMPRODUCT(E1:E3+{1;2;3})', Array('{=SUM(E1:E2*{1,2,3})}'),
    Array('{=SUM(E1:E3*K1)}'), '=SUMPRODUCT(E1:E4*2+1)',
    # sizes that differ
    ('=SUMPRODUCT(E1:E4*I1:I3)', 'e:#N/A', 'arrays of different sizes give #N/A past the end of the smaller one'), Array('{=SUM(IFERROR(E1:E4*{1;2;3},0))}'),
    Array('{=SUM(E1:E3*I1:I4)}', 1, 'e:#N/A', 'arrays of different sizes give #N/A past the end of the smaller one'),
    '=SUMPRODUCT(E1:E8,I1:I4)',
    # errors inside arrays
    '=SUMPRODUCT(1/(E1:E8-30))', Array('{=SUM(IFERROR(1/(E1:E8-30),0))}'),
    Array('{=SUM(IF(ISERROR(1/(I1:I8-4)),1,0))}'), '=SUMPRODUCT(ISERROR(O1:O8*1)*1)',
    Array('{=SUM(IFNA(MATCH(M1:M5,F1:F8,0),0))}'),
    # logical values times numbers, text compared with numbers
    '=SUMPRODUCT((E1:E8>20)*1)', '=SUMPRODUCT(TRUE()*E1:E3)', Array('{=SUM((G1:G8>0)*1)}'),
    '=SUMPRODUCT((O1:O8>5)*1)', '=SUMPRODUCT((O1:O8="2")*1)', '=SUMPRODUCT((G1:G8=5)*1)',
    '=SUMPRODUCT((G1:G8="7")*1)', '=SUMPRODUCT(G1:G8*1)', Array('{=SUM(IF(G1:G8,1,0))}'),
    # array formulas of several cells
    Array('{=E1:E3*2}', 3), Array('{=I1:I4+{10;20;30;40}}', 4), Array('{=E1:E2*2}', 3), Array('{=SUM(E1:E8)}', 2),
    Array('{=IF(I1:I3>4,"big","small")}', 3), Array('{=ROW(E1:E3)}', 3), Array('{=INDEX(E1:F8,0,2)}', 3),
    Array('{=E1:E3&"-"&F1:F3}', 3), Array('{=1/(E1:E3-20)}', 3), Array('{=E1:E2}', 2),
]

# References found when the movie runs: OFFSET, INDIRECT, CELL and ":" between references that
# calls give. The first case is a formula the others read by place, and the last one too, so
# that formulas reading by place must be computed after the formulas they may reach.
GROUPS["references"] = [
    '=E1*2', '=OFFSET(A1,0,0)+1', '=INDIRECT("A1")+1', '=OFFSET(A1,$K$2+66,0)', '=INDIRECT("A"&(ROWS(E1:E8)+62))&"!"',
    '=OFFSET(E1,2,0)', '=SUM(OFFSET(E1,0,0,3,1))', '=SUM(OFFSET(E1,1,0,3))', '=OFFSET(E1,0,1)', '=OFFSET(F7,0,0)',
    ('=OFFSET(E1,-1,0)', 'e:#REF!', 'a reference off the sheet is #REF!'), '=ROWS(OFFSET(E1,0,0,4,2))', '=COLUMNS(OFFSET(E1:F3,1,1))', '=SUM(OFFSET(E1:E3,2,0))',
    '=OFFSET(E1,$K$2,0)', '=SUM(OFFSET(E1,0,0,COUNT(E1:E8)))', ('=OFFSET(E1,0,0,0)', 'e:#REF!', 'a height of 0 is #REF!'), ('=SUM(OFFSET(E3,0,0,-2))', 'n:50', 'a negative height reaches up from the first cell'),
    '=INDEX(OFFSET(E1,0,0,8,5),3,5)', '=MATCH(40,OFFSET(E1,0,0,8),0)', '=VLOOKUP(5,OFFSET(K1,0,0,4,2),2,FALSE())',
    '=OFFSET(E1,1,0)*2', '=ROW(OFFSET(E1,4,0))', '=COLUMN(OFFSET(E1,0,3))', '=OFFSET(E1,0,0,1,1)&"x"',
    '=AVERAGE(OFFSET(E1,0,0,2,1),OFFSET(E1,2,0,2,1))', '=SUMPRODUCT(OFFSET(E1,0,0,3,1),OFFSET(I1,0,0,3,1))',
    '=INDIRECT("E3")', '=INDIRECT("$E$3")', '=SUM(INDIRECT("E1:E4"))', '=INDIRECT("F"&2)', ('=INDIRECT("references!E2")', 'n:20', 'the desktop spreadsheet reads Sheet!A1'),
    ('=INDIRECT("\'references\'!E2")', 'n:20', 'the desktop spreadsheet reads Sheet!A1'), '=INDIRECT("Nosheet!E2")', '=INDIRECT("E0")', '=INDIRECT("R2C5",FALSE())',
    '=INDIRECT("R[1]C[4]",FALSE())', '=SUM(INDIRECT("K:K"))', '=INDIRECT("xyz")', '=INDIRECT(F7)',
    '=ROWS(INDIRECT("E2:F5"))', '=INDIRECT("e"&K2)', '=SUM(INDIRECT("E"&K1&":E"&K2))', '=COUNTIF(INDIRECT("F1:F8"),"apple")',
    '=CELL("address",E3)', '=CELL("row",F5)', '=CELL("col",F5)', '=CELL("contents",E2)', '=CELL("type",F7)',
    '=CELL("type",F1)', '=CELL("type",E1)', '=CELL("address",OFFSET(E1,2,1))', '=CELL("prefix",F1)', ('=CELL("prefix",E1)', 's:', 'a number has no prefix'),
    '=CELL("row")', '=CELL("col")', '=CELL("address",INDEX(E1:F8,2,2))', '=CELL("contents",F1)', '=CELL("ROW",E4)',
    '=SUM(E1:INDEX(E1:E8,3))', '=SUM(INDEX(E1:E8,2):INDEX(E1:E8,4))', '=SUM(E2:OFFSET(E2,2,0))',
    '=ROWS(INDEX(E1:E8,2):INDEX(E1:E8,5))', ('=SUM(INDEX(E1:I8,1,1):INDEX(E1:I8,2,5))', 'n:101', 'logical values inside ranges are skipped'), '=SUM(E1:INDIRECT("E3"))',
    '=ROW(INDEX(E1:E8,4))', '=COLUMN(INDEX(E1:I8,1,3))', '=COUNTA(INDEX(F1:F8,1):INDEX(F1:F8,8))',
    '=SUM(OFFSET(E1,0,0,2):E4)', '=E8*3',
]

# Cases met in real workbooks: defined names whose references are relative, totals of
# totals, text typed as an argument, a function no library has, and the less common forms of
# ADDRESS, the base conversions and TEXT.
GROUPS["realistic"] = [
    '=RATE*10', '=RATE*10', '=SUM(PAIR)',
    '=E1+0', '=E2+0', '=SUBTOTAL(9,A4:A5)', '=SUBTOTAL(9,A4:A6)', '=SUBTOTAL(109,A4:A7)',
    '=SUBTOTAL(9,A4:A5)*2', '=SUBTOTAL(9,A4:A9)', '=SUBTOTAL(2,A4:A10)', '=SUBTOTAL(1,A4:A11)',
    ('=ADDRESS(2,3,5)', 's:$C$2', 'kinds 5 to 8 are kinds 1 to 4'),
    ('=ADDRESS(2,3,8)', 's:C2', 'kinds 5 to 8 are kinds 1 to 4'),
    ('=ADDRESS(2,3,6,FALSE())', 's:R2C[3]', 'kinds 5 to 8 are kinds 1 to 4'),
    ('=DEC2BIN(-1,0)', 'e:#NUM!', 'places must be 1 to 10 even where a negative number ignores it'),
    ('=DEC2HEX(-1,0)', 'e:#NUM!', 'places must be 1 to 10 even where a negative number ignores it'),
    ('=DEC2OCT(-1,0)', 'e:#NUM!', 'places must be 1 to 10 even where a negative number ignores it'),
    '=DEC2HEX(-1)', '=DEC2BIN(-2,3)',
    '=SUM("2","4","ciao")', ('=SUM("2","4")', 'n:6', 'text that reads as a number, typed as an argument, counts as the number'), '=AVERAGE("a","b")', '=MAX(1,"x")',
    ('=MIN(" 3 ",5)', 'n:3', 'text that reads as a number, typed as an argument, counts as the number'), '=SUM(F1,1)', ('=PRODUCT(2,"3")', 'n:6', 'text that reads as a number, typed as an argument, counts as the number'), '=STDEV(1,"b",3)',
    '=NOSUCHFUNCTION(1)', '=ISERROR(NOSUCHFUNCTION(1))', '=ISTEXT(NOSUCHFUNCTION(1))',
    '=IF(ISNA(NOSUCHFUNCTION(1)),1,2)', '=IFERROR(NOSUCHFUNCTION(1),"gone")',
    Array('{=TRANSPOSE(INDEX({1,2;3,4},1))}', 2), '=SUM(INDEX({1,2;3,4},2))', '=INDEX({1,2;3,4},2)',
    '=COLUMNS(S1)', '=ROWS(S3)', '=COLUMNS(S1:S3)',
    ('=BETA.INV(0,2,3)', 'e:#NUM!', 'the probability must be above 0'),
    ('=BETAINV(0,2,3)', 'e:#NUM!', 'the probability must be above 0'), '=BETA.INV(1,2,3)',
    '=TEXT(-5,"0;(0);""zero""")', '=TEXT(0,"0;(0);""zero""")', '=TEXT(1.25,"# ?/?")', '=TEXT(0.3,"?/?")',
    '=TEXT(2.5,"# ??/??")', '=TEXT(-1.75,"# ?/?")', '=TEXT(12345,"0.0E+00")', '=TEXT(0.0001234,"0.00E+00")',
    '=TEXT(1.5,"[h]:mm:ss")', '=TEXT(1.75,"[mm]:ss")', '=TEXT(0.5,"[s]")', '=TEXT(5,"0_)")',
    '=TEXT(-5,"0_);(0)")', '=TEXT(5,"\\x0")', '=TEXT(5,"0 ""units""")', '=TEXT(1234.5,"#,##0.00_);(#,##0.00)")',
    '=STANDARDIZE(42,40,1.5)', '=AVEDEV(E1:E8)', '=AVEDEV(I1:I4,3)', '=ERF(0.5)', '=ERF(0.2,1.1)', '=ERF(-0.3)',
    '=ERF.PRECISE(1.5)', '=ERFC(0.5)', '=ERFC(3)', '=ERFC(-1)', '=ERFC.PRECISE(2.5)',
    '=HYPGEOM.DIST(1,4,8,20,FALSE())', '=HYPGEOM.DIST(1,4,8,20,TRUE())', '=NEGBINOM.DIST(10,5,0.25,FALSE())',
    '=NEGBINOM.DIST(10,5,0.25,TRUE())', '=CONFIDENCE.T(0.05,1,50)', '=PROB(K1:K4,{0.1,0.2,0.3,0.4},3,7)',
    '=PROB(K1:K4,{0.1;0.2;0.3;0.4},5)', ('=PROB(K1:K4,{0.1;0.2;0.3;0.3},5)', 'e:#NUM!', 'probabilities that do not add up to 1 are #NUM!'), '=T.TEST(E1:E8,I1:I8,2,1)',
    '=T.TEST(E1:E8,I1:I8,1,2)', '=T.TEST(E1:E8,I1:I8,2,3)', '=T.TEST(E1:E5,K1:K4,2,3)',
]


def database_cases(cases):
    """The database functions over K1:N5 (headers 1, one, apple, 1), their criteria areas
    written as cases of column A after the cases given."""
    row = sum(case.rows if isinstance(case, Array) else 1 for case in cases) + 1
    areas = {}
    for name, cells in [("five", ['="one"', '="five"']), ("after c", ['="apple"', '=">c"']),
                        ("either", ['="one"', '="five"', '="seven"']), ("none", ['="one"', '="zzz"'])]:
        areas[name] = "A%d:A%d" % (row, row + len(cells) - 1)
        cases.extend(cells)
        row += len(cells)
    cases.extend([
        '=DSUM(K1:N5,4,%s)' % areas["five"], '=DSUM(K1:N5,1,%s)' % areas["after c"],
        '=DAVERAGE(K1:N5,4,%s)' % areas["after c"], '=DCOUNT(K1:N5,1,%s)' % areas["after c"],
        '=DCOUNT(K1:N5,,%s)' % areas["after c"], '=DCOUNTA(K1:N5,"one",%s)' % areas["after c"],
        '=DGET(K1:N5,4,%s)' % areas["five"], ('=DGET(K1:N5,4,%s)' % areas["after c"], 'e:#NUM!', 'several records are #NUM!'),
        '=DGET(K1:N5,4,%s)' % areas["none"], '=DMAX(K1:N5,4,%s)' % areas["after c"],
        '=DMIN(K1:N5,4,%s)' % areas["after c"], '=DPRODUCT(K1:N5,4,%s)' % areas["after c"],
        '=DSUM(K1:N5,4,%s)' % areas["either"], '=DSUM(K1:N5,"nosuch",%s)' % areas["five"],
        '=DSUM(K1:N5,"APPLE",%s)' % areas["either"],
    ])
    return cases


database_cases(GROUPS["realistic"])

# Defined names of a group, written into its workbook (relative parts are from A1, as the file
# format keeps them).
# SUBTOTAL over rows the workbook hides (rows 2 and 5 of its sheet, HIDDEN_ROWS): the forms
# 101 to 111 leave them out, the forms 1 to 11 and the other functions count them.
GROUPS["hidden"] = [
    '=SUBTOTAL(109,E1:E8)', '=SUBTOTAL(9,E1:E8)', '=SUM(E1:E8)', '=SUBTOTAL(101,E1:E8)', '=SUBTOTAL(1,E1:E8)',
    '=SUBTOTAL(102,E1:F8)', '=SUBTOTAL(103,F1:F8)', '=SUBTOTAL(3,F1:F8)', '=SUBTOTAL(104,I1:I8)', '=SUBTOTAL(105,E1:E8)',
    '=SUBTOTAL(106,I1:I8)', '=SUBTOTAL(107,E1:E8)', '=SUBTOTAL(108,E1:E8)', '=SUBTOTAL(110,E1:E8)', '=SUBTOTAL(111,E1:E8)',
    '=SUBTOTAL(109,E1:E8,I1:I8)', '=SUBTOTAL(109,E2:E2)', '=SUBTOTAL(109,E3:E8)', '=SUBTOTAL(109,H1:I8)',
    '=SUBTOTAL(109,A1:A2)', '=SUBTOTAL(109,A3:A3)*2',
]
HIDDEN_ROWS = {"hidden": [2, 5]}


def nist_cases():
    """LINEST's statistics on every NIST regression set, with the set's tolerance."""
    data, placed = nist_regression.layout(4 + len(DATA))
    GROUP_DATA["nist"] = data
    cases = []
    for name, arguments, coefficients in placed:
        formulas, _ = nist_regression.statistics_of(name, arguments, coefficients)
        cases += [Near(formula, nist_regression.TOLERANCE[name]) for formula in formulas]
    return cases


GROUPS["nist"] = nist_cases()


def report_nist(workbook):
    """Prints the digits the computing program reaches on each NIST set (against the exact fit
    of the numbers the workbook holds), and stops where they fall short of the set's tolerance
    or the data no longer give the certified coefficients."""
    with zipfile.ZipFile(workbook) as package:
        sheet = package.read("xl/worksheets/sheet1.xml").decode("utf-8")
    cached = {ref: float(value) if re.fullmatch(r"[-+0-9.Ee]+", value) else float("nan") for ref, value in
              re.findall(r'<c r="([A-Z]+[0-9]+)"[^>]*?(?<!/)>(?:<f[^>]*>.*?</f>)?<v>([^<]*)</v>', sheet, re.S)}
    data, placed = nist_regression.layout(4 + len(DATA))
    column_of = {column: values for column, values in data.items()}
    row = 1
    short = []
    for (name, ys, xs, constant), (_, arguments, coefficients) in zip(nist_regression.sets(), placed):
        # the numbers as the program read them
        y_col = arguments.split(":")[0][:-1]
        x_first, x_last = arguments.split(",")[1].split(":")
        x_first, x_last = x_first[:-1], re.sub(r"[0-9]+$", "", x_last)
        letters = list(column_of)
        x_cols = letters[letters.index(x_first):letters.index(x_last) + 1]
        n = len(ys)
        read = lambda col: [cached["%s%d" % (col, r)] for r in range(1, n + 1)]
        exact = nist_regression.exact_fit(read(y_col), [read(c) for c in x_cols], constant)
        certified = nist_regression.CERTIFIED[name]
        data_digits = min(nist_regression.digits(c, exact[(1, k)]) for k, c in enumerate(certified, 1))
        _, cells = nist_regression.statistics_of(name, arguments, coefficients)
        reached = min(nist_regression.digits(cached["A%d" % (row + i)], exact[cell]) for i, cell in enumerate(cells))
        row += len(cells)
        print("%-9s computed to %.1f digits of the exact fit (certified coefficients: %.1f digits)" %
              (name, reached, data_digits))
        if 10 ** -reached > nist_regression.TOLERANCE[name] or data_digits < 6:
            short.append(name)
    if short:
        sys.exit("NIST sets outside their tolerance or data: " + ", ".join(short))


NAMES = {
    "realistic": {"RATE": "realistic!$E1", "PAIR": "realistic!$E1:$E2"},
}

ITERATIVE = ["IRR", "RATE", "XIRR", "NORMINV"]


PROFILE = """<?xml version="1.0" encoding="UTF-8"?>
<oor:items xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">
<item oor:path="/org.openoffice.Office.Calc/Calculate/Other"><prop oor:name="CaseSensitive" oor:op="fuse"><value>false</value></prop></item>
<item oor:path="/org.openoffice.Office.Calc/Calculate/Other"><prop oor:name="RegularExpressions" oor:op="fuse"><value>false</value></prop></item>
<item oor:path="/org.openoffice.Office.Calc/Calculate/Other"><prop oor:name="Wildcards" oor:op="fuse"><value>true</value></prop></item>
<item oor:path="/org.openoffice.Office.Calc/Formula/Load"><prop oor:name="OOXMLRecalcMode" oor:op="fuse"><value>0</value></prop></item>
</oor:items>
"""


def cell_text(value):
    if value is None:
        return ""
    if isinstance(value, str):
        if value.startswith("="):
            return value
        return '"' + value.replace('"', '""') + '"'
    return repr(value)


def layout(cases):
    """(row, case) of every case: an array formula takes as many rows as its area."""
    out = []
    row = 1
    for case in cases:
        out.append((row, case))
        row += case.rows if isinstance(case, Array) else 1
    return out


def formula_of(case):
    if isinstance(case, (Array, Near)):
        return case.formula
    return case[0] if isinstance(case, tuple) else case


def write_group(name, cases, folder):
    placed = dict(layout(cases))
    rows = max([row + (case.rows if isinstance(case, Array) else 1) - 1 for row, case in placed.items()] + [8] +
               [len(values) for values in GROUP_DATA.get(name, {}).values()])
    lines = []
    for r in range(rows):
        cells = ["", "", "", ""]
        case = placed.get(r + 1)
        if isinstance(case, tuple):
            cells[0], cells[1], cells[2] = case[0], '"' + case[1] + '"', '"' + case[2] + '"'
        elif isinstance(case, Array):
            # entered as an ordinary formula here; made an array formula in the workbook
            cells[0] = case.formula
            if case.expected:
                cells[1], cells[2] = '"' + case.expected + '"', '"' + case.why + '"'
        elif isinstance(case, Near):
            cells[0], cells[3] = case.formula, repr(case.tolerance)
        elif case is not None:
            cells[0] = case
        for column in sorted(DATA):
            values = DATA[column]
            cells.append(cell_text(values[r]) if r < len(values) else "")
        for values in GROUP_DATA.get(name, {}).values():
            cells.append(cell_text(values[r]) if r < len(values) else "")
        lines.append("\t".join(cells))
    path = os.path.join(folder, name + ".csv")
    with open(path, "w", encoding="utf-8") as out:
        out.write("\n".join(lines) + "\n")
    return path


def rewrite_sheet(source, target, rewrite, rewrite_book=None):
    """Copies a workbook with its first sheet's XML passed through rewrite (and its workbook
    part through rewrite_book)."""
    with zipfile.ZipFile(source) as package:
        parts = [(info, package.read(info.filename)) for info in package.infolist()]
    with zipfile.ZipFile(target, "w", zipfile.ZIP_DEFLATED) as package:
        for info, data in parts:
            if info.filename == "xl/worksheets/sheet1.xml":
                data = rewrite(data.decode("utf-8")).encode("utf-8")
            elif info.filename == "xl/workbook.xml" and rewrite_book:
                data = rewrite_book(data.decode("utf-8")).encode("utf-8")
            info.date_time = (2026, 1, 1, 0, 0, 0)
            package.writestr(info, data)


def make_arrays(source, target, cases, names):
    """Turns the array cases' formulas into array formulas over their areas, adds the group's
    defined names and hides its HIDDEN_ROWS (the text import knows none), to be computed
    again."""
    def rewrite_book(book):
        if not names:
            return book
        defined = "".join('<definedName name="%s">%s</definedName>' % (name, xml_escape(text))
                          for name, text in sorted(names.items()))
        return book.replace("</sheets>", "</sheets><definedNames>" + defined + "</definedNames>", 1)

    def rewrite(sheet):
        for row in HIDDEN_ROWS.get(os.path.splitext(os.path.basename(target))[0], []):
            pattern = re.compile(r'<row r="%d"([^>]*)>' % row)
            sheet, count = pattern.subn(lambda m: '<row r="%d"%s hidden="true">' %
                                        (row, re.sub(r' hidden="[^"]*"', "", m.group(1))), sheet)
            if count != 1:
                sys.exit("no row %d in %s" % (row, target))
        for row, case in layout(cases):
            if not isinstance(case, Array):
                continue
            # the formula as the program wrote it, with the prefixes its newer functions need
            pattern = re.compile(r'(<c r="A%d"[^>]*>)<f[^>]*>(.*?)</f>' % row, re.S)
            area = "A%d:A%d" % (row, row + case.rows - 1)
            sheet, count = pattern.subn(lambda m: m.group(1) + '<f t="array" ref="' + area + '">' +
                                        m.group(2) + "</f>", sheet)
            if count != 1:
                sys.exit("no formula cell A%d in %s" % (row, target))
        return sheet
    rewrite_sheet(source, target, rewrite, rewrite_book)


def restore_formulas(source, target, cases):
    """Writes the cases' formulas back as written. The program saves CEILING and FLOOR as
    CEILING.MATH and FLOOR.MATH (and rewrites number literals) while the cached values are
    those of the functions as written. The cells of TYPED_ERRORS become error constants."""
    def rewrite(sheet):
        for ref, error in TYPED_ERRORS.items():
            pattern = re.compile(r'<c r="%s"([^>]*?) t="e"[^>]*>.*?</c>' % ref, re.S)
            sheet, count = pattern.subn('<c r="%s"\\1 t="e"><v>%s</v></c>' % (ref, xml_escape(error)), sheet)
            if count != 1:
                sys.exit("no error cell %s in %s" % (ref, target))
        for row, case in layout(cases):
            formula = formula_of(case)[1:]
            pattern = re.compile(r'(<c r="A%d"[^>]*>)<f([^>]*)>.*?</f>' % row, re.S)
            sheet, count = pattern.subn(lambda m: m.group(1) + "<f" + m.group(2) + ">" +
                                        xml_escape(formula) + "</f>", sheet)
            if count != 1:
                sys.exit("no formula cell A%d in %s" % (row, target))
        return sheet
    rewrite_sheet(source, target, rewrite)


def main():
    out = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__)))
    soffice = shutil.which("soffice")
    if not soffice:
        sys.exit("soffice not found: apt-get install libreoffice-calc-nogui")
    version = subprocess.run([soffice, "--version"], capture_output=True, text=True).stdout.strip()
    with tempfile.TemporaryDirectory() as work:
        # A fresh profile that compares text without regard to case and reads * and ? in
        # criteria as wildcards, as the desktop spreadsheet does.
        profile = os.path.join(work, ".config", "libreoffice", "4", "user")
        os.makedirs(profile)
        with open(os.path.join(profile, "registrymodifications.xcu"), "w") as xcu:
            xcu.write(PROFILE)
        wanted = sys.argv[2:] or list(GROUPS)
        for name in wanted:
            cases = GROUPS[name]
            source = write_group(name, cases, work)
            # tab separated, quotes delimit text, UTF-8, from line 1, quoted fields stay text,
            # formulas are evaluated
            options = "CSV:9,34,76,1,,1033,true,false,false,false,false,-1,true"
            convert = lambda path, folder, *filters: subprocess.run(
                [soffice, "--headless", "--calc", *filters, "--convert-to", "xlsx:Calc MS Excel 2007 XML",
                 "--outdir", folder, path], check=True, capture_output=True, env=dict(os.environ, HOME=work))
            convert(source, work, "--infilter=" + options)
            computed = os.path.join(work, name + ".xlsx")
            # (the NIST sets are computed again from the numbers their workbook holds)
            if any(isinstance(case, Array) for case in cases) or name in NAMES or name in HIDDEN_ROWS or name == "nist":
                arrays = os.path.join(work, "arrays")
                again = os.path.join(work, "again")
                os.makedirs(arrays, exist_ok=True)
                make_arrays(computed, os.path.join(arrays, name + ".xlsx"), cases, NAMES.get(name))
                # the profile has the program compute a workbook again as it loads it
                convert(os.path.join(arrays, name + ".xlsx"), again)
                computed = os.path.join(again, name + ".xlsx")
            restore_formulas(computed, os.path.join(out, name + ".xlsx"), cases)
            if name == "nist":
                report_nist(os.path.join(out, name + ".xlsx"))
    with open(os.path.join(out, "COMPUTED_BY"), "w") as note:
        note.write(version + "\n")
    print("computed by", version)


if __name__ == "__main__":
    main()
