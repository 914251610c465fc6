// Criação dos Objetos
private JLabel JLabel1 = new JLabel("Senha:");
private JPasswordField JPasswordField1 = new JPasswordField("");

// Cria a Janela
this.getContentPane().setLayout(null);
this.setSize(336, 230);
this.setTitle("Cadastro");
this.setResizable(false);

// Cria os Controles na Janela
JLabel1.setBounds(new Rectangle(16, 24, 57, 13));
this.getContentPane().add(JLabel1, null);
JPasswordField1.setToolTipText("Digite a senha");
JPasswordField1.setBounds(new Rectangle(80, 20, 100, 21));
this.getContentPane().add(JPasswordField1, null);
JPasswordField1.addFocusListener (new FocusAdapter() {
  public void focusLost(FocusEvent e) {
    // Chamada ao Procedimento
}});
