#!/usr/bin/env perl
# Prints the runs of code points that an error line shows escaped, from the Unicode character
# database (Debian's unicode-data): controls (Cc), format and direction marks (Cf), separators
# (Zs but the ASCII blank, Zl, Zp), surrogates (Cs), private use (Co) and unassigned (Cn). The
# output is src/console/escaped_runs.inc, the elements of a C++ array that
# src/console/characters.cpp includes: where each run starts, from U+0000 on, escaped and shown in
# turn.
# Usage: scripts/unicode-escaped-runs.pl [UnicodeData.txt] > src/console/escaped_runs.inc
use strict;
use warnings;

my $data = $ARGV[0] // '/usr/share/unicode/UnicodeData.txt';
open(my $file, '<', $data) or die "unicode-escaped-runs: $data: $!\n";
my @escaped = (1) x 0x110000;  # unassigned until the data says otherwise
my $first;
while (<$file>) {
    my ($code, $name, $category) = split /;/;
    my $value = hex($code);
    if ($name =~ /, First>$/) {
        $first = $value;
        next;
    }
    my $from = $name =~ /, Last>$/ ? $first : $value;
    my $hidden = $category =~ /^(Cc|Cf|Cs|Co|Zl|Zp)$/ || ($category eq 'Zs' && $value != 0x20);
    @escaped[$from .. $value] = ($hidden ? 1 : 0) x ($value - $from + 1);
}
my @starts = (0);
for my $code (1 .. 0x10FFFF) {
    push @starts, sprintf('0x%x', $code) if $escaped[$code] != $escaped[$code - 1];
}
# Lines within the sources' 100 columns.
my $line = '';
for my $start (@starts) {
    if (length($line) + length($start) + 1 > 96) {
        $line =~ s/ $//;
        print "    $line\n";
        $line = '';
    }
    $line .= "$start, ";
}
$line =~ s/ $//;
print "    $line\n";
