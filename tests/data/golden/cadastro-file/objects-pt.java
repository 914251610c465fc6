// Criação dos Objetos
private JLabel JLabel1 = new JLabel("Nome:");
private JTextField JTextField1 = new JTextField("");
private JButton JButton1 = new JButton("OK");

// Cria a Janela
this.getContentPane().setLayout(null);
this.setSize(336, 230);
this.setTitle("Cadastro");
this.setResizable(false);

// Cria os Controles na Janela
JLabel1.setBounds(new Rectangle(10, 50, 65, 17));
this.getContentPane().add(JLabel1, null);
JTextField1.setToolTipText("Digite o nome");
JTextField1.setBounds(new Rectangle(80, 48, 121, 21));
this.getContentPane().add(JTextField1, null);
JTextField1.addKeyListener (new KeyAdapter() {
  public void keyPressed(KeyEvent e) {
    // Chamada ao Procedimento
}});
JButton1.setBounds(new Rectangle(80, 80, 75, 25));
this.getContentPane().add(JButton1, null);
JButton1.addActionListener (new ActionListener() {
  public void actionPerformed(ActionEvent e) {
    // Chamada ao Procedimento
}});
