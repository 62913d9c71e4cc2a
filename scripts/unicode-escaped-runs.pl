#!/usr/bin/env perl
# Prints the runs of code points that an error line shows escaped, from the Unicode character
# database (Debian's unicode-data): controls (Cc), format and direction marks (Cf), separators
# (Zs but the ASCII blank, Zl, Zp), surrogates (Cs), private use (Co) and unassigned (Cn). The
# output is src/console/escaped_runs.inc, a C++ string that src/console/characters.cpp includes:
# the lengths of the runs from U+0000 on, escaped and shown in turn, in hexadecimal.
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
my @runs;
my ($state, $length) = (1, 0);
for my $code (0 .. 0x10FFFF) {
    if ($escaped[$code] != $state) {
        push @runs, sprintf('%x', $length);
        ($state, $length) = ($escaped[$code], 0);
    }
    $length++;
}
push @runs, sprintf('%x', $length);
# Lines of a C++ string within the sources' 100 columns.
my $line = '';
for my $run (@runs) {
    if (length($line) + length($run) + 1 > 92) {
        print "    \"$line\"\n";
        $line = '';
    }
    $line .= "$run ";
}
print "    \"$line\"\n";
